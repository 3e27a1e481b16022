// The list and the strip follow the window's size.

#include "tests/ui/main/form1_fixture.h"
#include "ui/main/twips.h"

namespace zembra::ui::test {
namespace {

class Resizing : public Form1Test {
 protected:
  // Resizes the window so that its client area gets the given size.
  bool resizeClient(QSize size) {
    const QSize frame = form.size() - form.clientArea()->size();
    form.resize(size + frame);
    return waitUntil([&] { return form.clientArea()->size() == size; });
  }
};

TEST_F(Resizing, widening_and_heightening_the_window_widen_the_strip_and_the_list) {
  ASSERT_TRUE(resizeClient(QSize(700, 500)));
  EXPECT_EQ(c.Picture1->geometry(), QRect(0, -2, 700, 31));
  EXPECT_EQ(c.List1->geometry(), QRect(0, 102, 700, 500 - 102));
  EXPECT_EQ(c.Text17->geometry(), twipsRect(1395, 450, 2025, 405)) << "nothing else moves";
}

TEST_F(Resizing, narrowing_the_window_narrows_the_list) {
  ASSERT_TRUE(resizeClient(QSize(300, 200)));
  EXPECT_EQ(c.List1->geometry(), QRect(0, 102, 300, 98));
  EXPECT_EQ(c.Picture1->width(), 300);
}

TEST_F(Resizing, a_window_lower_than_the_list_margin_leaves_the_list_0_high) {
  ASSERT_TRUE(resizeClient(QSize(400, 60)));
  EXPECT_EQ(c.List1->height(), 0);
  EXPECT_EQ(c.List1->pos(), QPoint(0, 102));
  ASSERT_TRUE(resizeClient(QSize(548, 374)));
  EXPECT_EQ(c.List1->geometry(), QRect(0, 102, 548, 272));
  EXPECT_FLOAT_EQ(state.MainListMargin, 1530) << "the margin is taken once, at load";
}

}  // namespace
}  // namespace zembra::ui::test
