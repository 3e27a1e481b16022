// The digit count entry: typing, pasting, the scroll bar, and the notice.

#include <QClipboard>
#include <QInputMethodEvent>
#include <QStyleOptionSlider>

#include "tests/ui/main/main_window_fixture.h"
#include "ui/main/design.h"

namespace zembra::ui::test {
namespace {

class DigitEntry : public MainWindowTest {
 protected:
  // After a change of the count the lines of a run are gone; above 45,000 digits the notice is
  // the one line.
  void expectCount(const char* text, bool notice) {
    EXPECT_EQ(c.digitCountEdit->text(), QString::fromUtf8(text));
    EXPECT_EQ(listLines(), notice ? QStringList{overLimitNotice()} : QStringList()) << text;
  }
  // Where the style draws a piece of the scroll bar.
  QPoint centreOf(QStyle::SubControl piece) const {
    QScrollBar* bar = c.digitCountScrollBar;
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Horizontal;
    option.maximum = bar->maximum();
    option.sliderPosition = option.sliderValue = bar->value();
    option.pageStep = bar->pageStep();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, piece, bar).center();
  }
  void click(QStyle::SubControl piece) {
    QTest::mouseClick(c.digitCountScrollBar, Qt::LeftButton, {}, centreOf(piece));
  }
};

TEST_F(DigitEntry, typed_or_pasted_numbers_stay_and_anything_else_becomes_0) {
  enum How { kType, kPaste, kInputMethod };  // the input method commits full-width text
  const std::tuple<How, const char*, const char*, bool> cases[] = {
      {kType, "1234", "1234", false},    {kType, "45000", "45000", false},
      {kType, "45001", "45001", true},   {kType, "45000.5", "45000.5", true},
      {kType, "12a", "0", false},        {kType, "x", "0", false},      // a letter in an empty box
      {kType, "\b", "0", false},         {kType, "-50", "050", false},  // "-" is no number
      {kType, "400000", "327640", true}, {kPaste, "-50", "-50", false},
      {kPaste, "327641", "327640", true}, {kPaste, "327640", "327640", true},
      {kPaste, "12 apples", "0", false}, {kPaste, "44999.9", "44999.9", false},
      {kPaste, "9999999", "327640", true},  // corrected inside the correction: one notice
      // Full-width digits and signs count as the digits they are; other look-alikes do not.
      {kInputMethod, "１２３", "123", false},  {kPaste, "－５０", "-50", false},
      {kPaste, "４５００１．５", "45001.5", true}, {kPaste, "＋１，２３４", "+1,234", false},
      {kInputMethod, "①", "0", false},        {kPaste, "２ｅ３", "0", false},
  };
  for (const auto& [how, entered, shown, notice] : cases) {
    c.digitList->addItem(QStringLiteral("line of a run"));
    c.digitCountEdit->setFocus();
    QTest::keyClick(c.digitCountEdit, Qt::Key_A, Qt::ControlModifier);
    QApplication::clipboard()->setText(QString::fromUtf8(entered));
    if (how == kType) QTest::keyClicks(c.digitCountEdit, QString::fromUtf8(entered));
    if (how == kPaste) QTest::keyClick(c.digitCountEdit, Qt::Key_V, Qt::ControlModifier);
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8(entered));
    if (how == kInputMethod) QApplication::sendEvent(c.digitCountEdit, &commit);
    expectCount(shown, notice);
  }
  EXPECT_EQ(c.digitCountScrollBar->value(), 0) << "the text does not move the scroll bar";
}

TEST_F(DigitEntry, the_scroll_bar_writes_ten_times_its_value_when_it_moves) {
  click(QStyle::SC_ScrollBarAddLine);
  expectCount("10", false);
  click(QStyle::SC_ScrollBarSubLine);
  expectCount("00", false);
  click(QStyle::SC_ScrollBarAddPage);
  expectCount("1000", false);
  c.digitCountScrollBar->setValue(4501);
  expectCount("45010", true);
  c.digitList->addItem(QStringLiteral("line of a run"));
  click(QStyle::SC_ScrollBarSubPage);
  expectCount("44010", false);
  QTest::keyClick(c.digitCountScrollBar, Qt::Key_Right);
  expectCount("44020", false);

  // A drag moves the thumb; the count follows only when it is let go.
  c.digitCountScrollBar->setValue(0);
  const QPoint thumb = centreOf(QStyle::SC_ScrollBarSlider);
  QTest::mousePress(c.digitCountScrollBar, Qt::LeftButton, {}, thumb);
  QTest::mouseMove(c.digitCountScrollBar, thumb + QPoint(60, 0));
  EXPECT_GT(c.digitCountScrollBar->sliderPosition(), 0);
  expectCount("00", false);
  QTest::mouseRelease(c.digitCountScrollBar, Qt::LeftButton, {}, thumb + QPoint(60, 0));
  EXPECT_EQ(c.digitCountEdit->text(), QString::number(c.digitCountScrollBar->value()) + "0");
  EXPECT_GT(c.digitCountScrollBar->value(), 0);
}

}  // namespace
}  // namespace zembra::ui::test
