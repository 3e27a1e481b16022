// The digit count entry: typing, pasting, the scroll bar, and the notice.

#include <QClipboard>
#include <QStyleOptionSlider>

#include "tests/ui/main/form1_fixture.h"
#include "ui/main/list_notice.h"

namespace zembra::ui::test {
namespace {

class DigitEntry : public Form1Test {
 protected:
  // The list after a change of the count: the lines of a run are gone, and
  // the notice is the one line above 45,000 digits.
  void expectCount(const char* text, bool notice) {
    EXPECT_EQ(c.Text17->text(), QString::fromUtf8(text));
    EXPECT_EQ(listLines(), notice ? QStringList{overLimitNotice()} : QStringList()) << text;
  }
  // Where the style draws a piece of the scroll bar.
  QPoint centreOf(QStyle::SubControl piece) const {
    QStyleOptionSlider option;
    option.initFrom(c.HScroll1);
    option.orientation = Qt::Horizontal;
    option.maximum = c.HScroll1->maximum();
    option.sliderPosition = option.sliderValue = c.HScroll1->value();
    option.pageStep = c.HScroll1->pageStep();
    return c.HScroll1->style()
        ->subControlRect(QStyle::CC_ScrollBar, &option, piece, c.HScroll1)
        .center();
  }
  void click(QStyle::SubControl piece) {
    QTest::mouseClick(c.HScroll1, Qt::LeftButton, {}, centreOf(piece));
  }
};

TEST_F(DigitEntry, typed_or_pasted_numbers_stay_and_anything_else_becomes_0) {
  enum How { kType, kPaste, kSet };
  const std::tuple<How, const char*, const char*, bool> cases[] = {
      {kType, "1234", "1234", false},    {kType, "45000", "45000", false},
      {kType, "45001", "45001", true},   {kType, "45000.5", "45000.5", true},
      {kType, "12a", "0", false},        {kType, "x", "0", false},      // a letter in an empty box
      {kType, "\b", "0", false},         {kType, "-50", "050", false},  // "-" is no number
      {kType, "400000", "327640", true}, {kPaste, "-50", "-50", false},
      {kPaste, "12 apples", "0", false}, {kSet, "44999.9", "44999.9", false},
      {kSet, "9999999", "327640", true},  // corrected inside the correction: one notice
  };
  for (const auto& [how, entered, shown, notice] : cases) {
    c.List1->addItem(QStringLiteral("line of a run"));
    const QString text = QString::fromUtf8(entered);
    if (how == kSet) {
      c.Text17->setText(text);
    } else {
      c.Text17->setFocus();
      QApplication::clipboard()->setText(text);
      QTest::keyClick(c.Text17, Qt::Key_A, Qt::ControlModifier);
      if (how == kType) QTest::keyClicks(c.Text17, text);
      if (how == kPaste) QTest::keyClick(c.Text17, Qt::Key_V, Qt::ControlModifier);
    }
    expectCount(shown, notice);
  }
  EXPECT_EQ(c.HScroll1->value(), 0) << "the text does not move the scroll bar";
}

TEST_F(DigitEntry, the_scroll_bar_writes_ten_times_its_value_when_it_moves) {
  c.Text17->setText(QStringLiteral("1234"));
  click(QStyle::SC_ScrollBarAddLine);
  expectCount("10", false);
  click(QStyle::SC_ScrollBarSubLine);
  expectCount("00", false);
  click(QStyle::SC_ScrollBarAddPage);
  expectCount("1000", false);
  c.HScroll1->setValue(4501);
  expectCount("45010", true);
  c.List1->addItem(QStringLiteral("line of a run"));
  click(QStyle::SC_ScrollBarSubPage);
  expectCount("44010", false);
  QTest::keyClick(c.HScroll1, Qt::Key_Right);
  expectCount("44020", false);

  // A drag moves the thumb; the count follows only when it is let go.
  c.HScroll1->setValue(0);
  const QPoint thumb = centreOf(QStyle::SC_ScrollBarSlider);
  QTest::mousePress(c.HScroll1, Qt::LeftButton, {}, thumb);
  QTest::mouseMove(c.HScroll1, thumb + QPoint(60, 0));
  EXPECT_GT(c.HScroll1->sliderPosition(), 0);
  expectCount("00", false);
  QTest::mouseRelease(c.HScroll1, Qt::LeftButton, {}, thumb + QPoint(60, 0));
  EXPECT_GT(c.HScroll1->value(), 0);
  EXPECT_EQ(c.Text17->text(), QString::number(c.HScroll1->value()) + "0");
}

}  // namespace
}  // namespace zembra::ui::test
