// The list view for long files, driven with keys, clicks and the wheel over a
// source that notes which rows it was asked for.

#include "ui/dialogs/line_list_view.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <climits>
#include <set>

namespace zembra::ui {
namespace {

struct FakeSource : LineSource {
  long long rows = 0;
  int longest = 0;
  mutable std::set<long long> asked;

  long long count() const override { return rows; }
  QString text(long long row) const override {
    asked.insert(row);
    return QString("row %1").arg(row);
  }
  int longestLine() const override { return longest; }
};

class LineListViewTest : public ::testing::Test {
 protected:
  // A view 10 rows high, showing `rows` rows.
  void show(long long rows) {
    source.rows = rows;
    view.setSource(&source);
    view.resize(300, 10 * view.rowHeight() + 2 * view.frameWidth() +
                         view.horizontalScrollBar()->sizeHint().height());
    view.show();
    ASSERT_GT(view.visibleRowCount(), 2);
  }
  void expectCurrentInSight() {
    EXPECT_GE(view.currentRow(), view.firstVisibleRow());
    EXPECT_LT(view.currentRow(), view.firstVisibleRow() + view.visibleRowCount());
  }
  QPoint middleOf(int row) const {
    const int y = (row - view.firstVisibleRow()) * view.rowHeight() + view.rowHeight() / 2;
    return {view.viewport()->width() - 5, y};
  }
  void click(int row) { QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, middleOf(row)); }

  FakeSource source;
  LineListView view;
};

TEST_F(LineListViewTest, keys_move_the_current_row_like_a_list_box) {
  show(0);  // without rows, keys and clicks change nothing
  for (Qt::Key key : {Qt::Key_Down, Qt::Key_End, Qt::Key_PageDown}) QTest::keyClick(&view, key);
  click(0);
  view.setCurrentRow(5);
  EXPECT_EQ(view.currentRow(), -1);

  show(100);
  const int page = view.visibleRowCount() - 1;
  const std::pair<Qt::Key, int> steps[] = {
      {Qt::Key_Down, 0},      {Qt::Key_Down, 1},        {Qt::Key_Up, 0},
      {Qt::Key_Up, 0},        {Qt::Key_PageDown, page}, {Qt::Key_PageDown, 2 * page},
      {Qt::Key_PageUp, page}, {Qt::Key_End, 99},        {Qt::Key_PageDown, 99},
      {Qt::Key_Down, 99},     {Qt::Key_Up, 98},         {Qt::Key_Home, 0},
      {Qt::Key_PageUp, 0},    {Qt::Key_PageDown, page}, {Qt::Key_Down, page + 1},
  };
  for (const auto& [key, row] : steps) {
    QTest::keyClick(&view, key);
    EXPECT_EQ(view.currentRow(), row) << QTest::toString(key);
    expectCurrentInSight();
  }
  QTest::keyClick(&view, Qt::Key_End);
  EXPECT_EQ(view.firstVisibleRow(), 100 - view.visibleRowCount());
}

TEST_F(LineListViewTest, painting_asks_only_for_the_rows_in_sight_of_two_billion) {
  show(INT_MAX + 1000LL);
  EXPECT_EQ(view.rowCount(), INT_MAX);
  for (Qt::Key key : {Qt::Key_End, Qt::Key_PageDown, Qt::Key_Down}) QTest::keyClick(&view, key);
  EXPECT_EQ(view.currentRow(), INT_MAX - 1);
  view.viewport()->grab();
  ASSERT_FALSE(source.asked.empty());
  EXPECT_GE(*source.asked.begin(), view.firstVisibleRow());
  EXPECT_EQ(*source.asked.rbegin(), INT_MAX - 1);
  EXPECT_LE(source.asked.size(), static_cast<std::size_t>(view.visibleRowCount() + 1));

  QTest::keyClick(&view, Qt::Key_Home);
  source.asked.clear();
  view.viewport()->grab();
  EXPECT_EQ(*source.asked.begin(), 0);
  EXPECT_LE(*source.asked.rbegin(), view.visibleRowCount());
}

TEST_F(LineListViewTest, a_click_makes_a_row_current_and_the_wheel_scrolls_without_it) {
  show(100);
  view.verticalScrollBar()->setValue(20);
  click(23);
  EXPECT_EQ(view.currentRow(), 23);
  const QPoint at = middleOf(23);
  QWheelEvent wheel(at, view.viewport()->mapToGlobal(at), {}, {0, -120}, Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view.viewport(), &wheel);
  EXPECT_GT(view.firstVisibleRow(), 20);
  EXPECT_EQ(view.currentRow(), 23);

  show(3);  // a click below the last row leaves the current row
  click(1);
  click(5);
  EXPECT_EQ(view.currentRow(), 1);
}

TEST_F(LineListViewTest, refresh_takes_new_rows_and_width_and_keeps_the_place) {
  show(100);
  EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);
  view.setCurrentRow(55);
  view.verticalScrollBar()->setValue(50);
  source.rows = 1000;
  source.longest = 1000;
  view.refresh();
  EXPECT_EQ(view.rowCount(), 1000);
  EXPECT_EQ(view.firstVisibleRow(), 50);
  EXPECT_EQ(view.currentRow(), 55);
  EXPECT_EQ(view.rowText(999), "row 999");
  EXPECT_EQ(view.rowText(1000), "");
  const int width = 1000 * view.fontMetrics().averageCharWidth();
  EXPECT_GE(view.horizontalScrollBar()->maximum(), width - view.viewport()->width());
  EXPECT_LE(view.horizontalScrollBar()->maximum(), width);
  QTest::keyClick(&view, Qt::Key_Right);
  EXPECT_GT(view.horizontalScrollBar()->value(), 0);
  QTest::keyClick(&view, Qt::Key_Left);
  EXPECT_EQ(view.horizontalScrollBar()->value(), 0);

  source.rows = 20;  // a source that shrank: the current row stays on the rows
  view.refresh();
  EXPECT_EQ(view.currentRow(), 19);
  expectCurrentInSight();
}

TEST_F(LineListViewTest, the_current_row_is_highlighted_on_white) {
  show(5);
  view.setCurrentRow(2);
  const QImage image = view.viewport()->grab().toImage();
  const auto colourAt = [&](int row) {
    return image.pixelColor((QPointF(middleOf(row)) * image.devicePixelRatio()).toPoint()).rgb();
  };
  EXPECT_EQ(colourAt(2), view.palette().color(QPalette::Highlight).rgb());
  EXPECT_EQ(colourAt(1), QColor(Qt::white).rgb());
  EXPECT_EQ(colourAt(4), QColor(Qt::white).rgb());
}

}  // namespace
}  // namespace zembra::ui
