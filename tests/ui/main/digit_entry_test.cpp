// The digit count entry: typing, pasting, the scroll bar, and the notice.

#include <QClipboard>
#include <QStyleOptionSlider>
#include <QTest>

#include "tests/ui/main/form1_fixture.h"
#include "ui/main/list_notice.h"

namespace zembra::ui::test {
namespace {

class DigitEntryTest : public Form1Test {
 protected:
  // Replaces the whole text by typing, as a user would.
  void typeOver(const QString& keys) {
    c.Text17->setFocus();
    QTest::keyClick(c.Text17, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(c.Text17, keys);
  }
  // Where a part of the scroll bar is drawn.
  QPoint centreOf(QStyle::SubControl part) const {
    QStyleOptionSlider option;
    option.initFrom(c.HScroll1);
    option.orientation = Qt::Horizontal;
    option.state |= QStyle::State_Horizontal;
    option.minimum = c.HScroll1->minimum();
    option.maximum = c.HScroll1->maximum();
    option.sliderPosition = c.HScroll1->sliderPosition();
    option.sliderValue = c.HScroll1->value();
    option.singleStep = c.HScroll1->singleStep();
    option.pageStep = c.HScroll1->pageStep();
    return c.HScroll1->style()
        ->subControlRect(QStyle::CC_ScrollBar, &option, part, c.HScroll1)
        .center();
  }
  QStringList notice() const { return {overLimitNotice()}; }
};

TEST_F(DigitEntryTest, typed_numbers_stay_as_typed_and_do_not_move_the_scroll_bar) {
  for (const char* typed : {"1234", "45000.5", "0", "12.5", "327640"}) {
    typeOver(QString::fromUtf8(typed));
    EXPECT_EQ(c.Text17->text(), QString::fromUtf8(typed));
  }
  EXPECT_EQ(c.HScroll1->value(), 0);
}

TEST_F(DigitEntryTest, text_that_is_not_a_number_becomes_0_at_once) {
  // "-50" and "1e3" cannot be typed: "-" and "1e" are no numbers yet.
  const std::pair<const char*, const char*> cases[] = {
      {"12a", "0"}, {"-", "0"},     {"e", "0"},     {"x", "0"},
      {"0x", "0"},  {"inf", "0"},   {"-50", "050"}, {"1e3", "03"}};
  for (const auto& [typed, shown] : cases) {
    typeOver(QString::fromUtf8(typed));
    EXPECT_EQ(c.Text17->text(), QString::fromUtf8(shown)) << typed;
    EXPECT_TRUE(listLines().isEmpty());
  }
}

TEST_F(DigitEntryTest, deleting_all_text_leaves_0_and_an_empty_list) {
  c.Text17->setText(QStringLiteral("50000"));
  c.Text17->setFocus();
  QTest::keyClick(c.Text17, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(c.Text17, Qt::Key_Backspace);
  EXPECT_EQ(c.Text17->text(), QStringLiteral("0"));
  EXPECT_TRUE(listLines().isEmpty());
}

TEST_F(DigitEntryTest, a_count_above_327640_becomes_327640_with_a_single_notice_line) {
  typeOver(QStringLiteral("400000"));
  EXPECT_EQ(c.Text17->text(), QStringLiteral("327640"));
  EXPECT_EQ(listLines(), notice());
  c.Text17->setText(QStringLiteral("9999999"));  // the nested correction
  EXPECT_EQ(c.Text17->text(), QStringLiteral("327640"));
  EXPECT_EQ(listLines(), notice());
}

TEST_F(DigitEntryTest, the_notice_shows_above_45000_digits_only) {
  const std::pair<const char*, bool> cases[] = {
      {"45000", false}, {"45001", true}, {"45000.5", true}, {"44999.9", false},
      {"327640", true}, {"-50000", false}, {"0", false}};
  for (const auto& [text, shown] : cases) {
    c.Text17->setText(QString::fromUtf8(text));
    EXPECT_EQ(listLines(), shown ? notice() : QStringList()) << text;
  }
}

TEST_F(DigitEntryTest, typing_50000_clears_the_list_at_every_key_and_shows_the_notice_at_the_fifth) {
  typeOver(QString());
  for (int key = 0; key < 5; ++key) {
    c.List1->addItem(QStringLiteral("old line"));
    QTest::keyClick(c.Text17, key == 0 ? Qt::Key_5 : Qt::Key_0);
    EXPECT_EQ(listLines(), key < 4 ? QStringList() : notice()) << "key " << key + 1;
  }
  EXPECT_EQ(c.Text17->text(), QStringLiteral("50000"));
}

TEST_F(DigitEntryTest, pasting_over_the_whole_text_keeps_what_was_pasted_if_it_is_a_number) {
  QApplication::clipboard()->setText(QStringLiteral("-50"));
  c.Text17->setFocus();
  QTest::keyClick(c.Text17, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(c.Text17, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(c.Text17->text(), QStringLiteral("-50"));
  EXPECT_EQ(c.HScroll1->value(), 0);

  QApplication::clipboard()->setText(QStringLiteral("12 apples"));
  QTest::keyClick(c.Text17, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(c.Text17, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(c.Text17->text(), QStringLiteral("0"));
}

TEST_F(DigitEntryTest, the_scroll_bar_writes_ten_times_its_value) {
  const std::pair<int, const char*> cases[] = {
      {4500, "45000"}, {4501, "45010"}, {32764, "327640"}, {1, "10"}, {0, "00"}};
  for (const auto& [value, text] : cases) {
    c.HScroll1->setValue(value);
    EXPECT_EQ(c.Text17->text(), QString::fromUtf8(text));
    EXPECT_EQ(listLines(), value > 4500 ? notice() : QStringList()) << value;
  }
}

TEST_F(DigitEntryTest, after_typing_the_scroll_bar_writes_over_the_typed_count) {
  typeOver(QStringLiteral("1234"));
  QTest::mouseClick(c.HScroll1, Qt::LeftButton, {}, centreOf(QStyle::SC_ScrollBarAddLine));
  EXPECT_EQ(c.Text17->text(), QStringLiteral("10"));
}

TEST_F(DigitEntryTest, an_arrow_click_moves_10_digits_and_a_track_click_1000) {
  QTest::mouseClick(c.HScroll1, Qt::LeftButton, {}, centreOf(QStyle::SC_ScrollBarAddLine));
  EXPECT_EQ(c.HScroll1->value(), 1);
  EXPECT_EQ(c.Text17->text(), QStringLiteral("10"));
  QTest::mouseClick(c.HScroll1, Qt::LeftButton, {}, centreOf(QStyle::SC_ScrollBarSubLine));
  EXPECT_EQ(c.Text17->text(), QStringLiteral("00"));
  QTest::mouseClick(c.HScroll1, Qt::LeftButton, {}, centreOf(QStyle::SC_ScrollBarAddPage));
  EXPECT_EQ(c.HScroll1->value(), 100);
  EXPECT_EQ(c.Text17->text(), QStringLiteral("1000"));
  c.HScroll1->setValue(16000);
  QTest::mouseClick(c.HScroll1, Qt::LeftButton, {}, centreOf(QStyle::SC_ScrollBarSubPage));
  EXPECT_EQ(c.Text17->text(), QStringLiteral("159000"));
}

TEST_F(DigitEntryTest, dragging_the_thumb_changes_the_count_only_when_it_is_released) {
  const QPoint thumb = centreOf(QStyle::SC_ScrollBarSlider);
  QTest::mousePress(c.HScroll1, Qt::LeftButton, {}, thumb);
  QTest::mouseMove(c.HScroll1, thumb + QPoint(60, 0));
  EXPECT_GT(c.HScroll1->sliderPosition(), 0);
  EXPECT_EQ(c.HScroll1->value(), 0);
  EXPECT_EQ(c.Text17->text(), QStringLiteral("0"));
  QTest::mouseRelease(c.HScroll1, Qt::LeftButton, {}, thumb + QPoint(60, 0));
  EXPECT_GT(c.HScroll1->value(), 0);
  EXPECT_EQ(c.Text17->text(), QString::number(c.HScroll1->value()) + QStringLiteral("0"));
}

TEST_F(DigitEntryTest, the_arrow_keys_move_the_scroll_bar_the_way_the_arrows_point) {
  ASSERT_TRUE(c.HScroll1->hasFocus());
  QTest::keyClick(c.HScroll1, Qt::Key_Right);
  QTest::keyClick(c.HScroll1, Qt::Key_Right);
  EXPECT_EQ(c.HScroll1->value(), 2);
  EXPECT_EQ(c.Text17->text(), QStringLiteral("20"));
  QTest::keyClick(c.HScroll1, Qt::Key_Left);
  EXPECT_EQ(c.HScroll1->value(), 1);
  QTest::keyClick(c.HScroll1, Qt::Key_PageDown);
  EXPECT_EQ(c.Text17->text(), QStringLiteral("1010"));
}

TEST_F(DigitEntryTest, any_change_of_the_count_removes_the_lines_of_a_run) {
  c.Text17->setText(QStringLiteral("100"));
  menus.mrun->trigger();
  ASSERT_EQ(c.List1->count(), 3);
  QTest::keyClick(c.HScroll1, Qt::Key_Right);
  EXPECT_TRUE(listLines().isEmpty());
}

}  // namespace
}  // namespace zembra::ui::test
