// The result viewer and its parts: Shift-JIS decoding, the rows of a file, and the list view.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <set>
#include <tuple>

#include "tests/engine/result_text.h"
#include "tests/engine/temp_folder.h"
#include "tests/ui/common/accessibility_events.h"
#include "tests/ui/dialogs/modal_driver.h"
#include "ui/common/design.h"
#include "ui/dialogs/viewer/file_line_source.h"
#include "ui/dialogs/viewer/find_row.h"
#include "ui/dialogs/viewer/line_list_view.h"
#include "ui/dialogs/viewer/result_viewer.h"

namespace zembra::ui {
namespace {

constexpr std::size_t kCut = LineIndex::kMaxLineBytes;
const QString kNotice = "４万５千桁を越えた為、画面表示はしません！";  // 42 columns

TEST(FileLineSource, shows_the_notice_the_decoded_lines_and_why_the_rest_is_missing) {
  const std::string wide = "\x82\xA0";  // あ
  const QString ioError = QString::fromLocal8Bit(std::strerror(EIO));
  const QString tooMany = "（行数が多すぎるため、これより後は表示しません）";
  // Fails from the fourth byte on: the line being read then is lost.
  const auto failingRead = [](int fd, char* buffer, std::size_t size, long long offset) {
    return offset < 3 ? ::pread(fd, buffer, size, offset) : (errno = EIO, -1LL);
  };
  const QString failed =
      "（ファイルを読めなくなったため、これより後は表示しません：" + ioError + "）";
  // The bytes, how they are read, the rows after the notice, the columns of the widest row.
  const std::tuple<std::string, LineIndexOptions, QStringList, int> cases[] = {
      {"\x89\x7E\x8E\xFC\x97\xA6\r\n3.14\nA", {}, {"円周率", "3.14", "A"}, 42},
      {"a\nb\nc\n", {.maxLines = 2}, {"a", "b", tooMany}, 48},
      {"a\nbc\n",
       {.blockBytes = 3, .read = failingRead},
       {"a", failed},
       60 + static_cast<int>(ioError.size())},
      // Cut inside あ, just fitting, and cut: the mark, without half a character.
      {std::string(kCut - 1, '1') + wide + "\r\n" + std::string(kCut - 2, '2') + wide + "\r\n" +
           std::string(kCut + 1, '3'),
       {},
       {QString(kCut - 1, '1') + " …", QString(kCut - 2, '2') + "あ", QString(kCut, '3') + " …"},
       static_cast<int>(kCut) + 3},
  };
  for (const auto& [bytes, options, expected, columns] : cases) {
    SCOPED_TRACE(expected.last().left(40).toStdString());
    TempFolder folder;
    writeBytes(folder.file("result.txt"), bytes);
    LineIndex index(folder.file("result.txt"), options);
    index.waitUntilDone();
    const FileLineSource source(&index, {overLimitNotice()});
    QStringList rows;
    for (long long row = 1; row < source.count(); ++row) rows << source.text(row);
    EXPECT_EQ(source.text(0), kNotice);
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(source.longestLine(), columns);
  }
}

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

// A screen reader sees a list of the rows in sight, made as asked for, the row count in its
// description, and the current row taking the focus.
TEST_F(LineListViewTest, screen_readers_see_the_rows_in_sight_and_the_current_one) {
  const test::AccessibilityEvents events;
  show(2'000'000'000);
  view.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
  view.setFocus();
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&view);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->role(), QAccessible::List);
  EXPECT_EQ(list->text(QAccessible::Description), QStringLiteral("2000000000 行"));
  for (const int row : {5, 1'999'999'999, 1'000'000'000}) {
    view.setCurrentRow(row);
    const int first = view.firstVisibleRow();
    ASSERT_EQ(list->childCount(), view.visibleRowCount());
    QAccessibleInterface* current = list->child(row - first);
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->text(QAccessible::Name), QString("row %1").arg(row));
    EXPECT_EQ(current->role(), QAccessible::ListItem);
    EXPECT_TRUE(current->state().selected);
    EXPECT_EQ(list->indexOfChild(current), row - first);
    EXPECT_EQ(list->child(0)->text(QAccessible::Name), QString("row %1").arg(first));
    ASSERT_FALSE(events.kept().empty());
    EXPECT_EQ(events.kept().back().type, QAccessible::Focus);
    EXPECT_EQ(events.kept().back().child, row - first);
  }
  EXPECT_LT(source.asked.size(), 200u) << "only rows in sight are read";
}

TEST_F(LineListViewTest, keys_move_the_current_row_like_a_list_box_over_up_to_two_billion_rows) {
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
      {Qt::Key_PageUp, 0},    {Qt::Key_PageDown, page}, {Qt::Key_Down, page + 1}};
  for (const auto& [key, row] : steps) {
    QTest::keyClick(&view, key);
    EXPECT_EQ(view.currentRow(), row) << QTest::toString(key);
    expectCurrentInSight();
  }
  QTest::keyClick(&view, Qt::Key_End);
  EXPECT_EQ(view.firstVisibleRow(), 100 - view.visibleRowCount());

  show(INT_MAX + 1000LL);  // painting asks only for the rows in sight
  EXPECT_EQ(view.rowCount(), INT_MAX);
  for (Qt::Key key : {Qt::Key_End, Qt::Key_PageDown, Qt::Key_Down}) QTest::keyClick(&view, key);
  EXPECT_EQ(view.currentRow(), INT_MAX - 1);
  view.viewport()->grab();
  ASSERT_FALSE(source.asked.empty());
  EXPECT_GE(*source.asked.begin(), view.firstVisibleRow());
  EXPECT_EQ(*source.asked.rbegin(), INT_MAX - 1);
  EXPECT_LE(source.asked.size(), static_cast<std::size_t>(view.visibleRowCount() + 1));
}

TEST_F(LineListViewTest,
       a_click_makes_a_row_current_and_highlighted_and_the_wheel_scrolls_without_it) {
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
  click(0);
  click(5);
  EXPECT_EQ(view.currentRow(), 0);
  const QImage image = view.viewport()->grab().toImage();
  const auto colourAt = [&](int row) {
    return image.pixelColor((QPointF(middleOf(row)) * image.devicePixelRatio()).toPoint()).rgb();
  };
  EXPECT_EQ(colourAt(0), view.palette().color(QPalette::Highlight).rgb()) << "highlighted";
  EXPECT_EQ(colourAt(1), QColor(Qt::white).rgb());
  EXPECT_EQ(colourAt(2), QColor(Qt::white).rgb());
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

class ResultViewerTest : public ::testing::Test {
 protected:
  // The rows of the viewer on `path` once all are taken in; checks the focus and the list's place.
  QStringList view(const std::string& path) {
    state.resultFilePath = path;
    QStringList rows;
    test::runModal<ResultViewer>(new ResultViewer(state), [&](ResultViewer& viewer) {
      message = test::takeMessageBox().remove(QChar(0x200B));
      EXPECT_TRUE(QTest::qWaitFor([&viewer] { return viewer.allLinesShown(); }));
      auto* list = viewer.findChild<LineListView*>("List1");
      for (int row = 0; row < list->rowCount(); ++row) rows << list->rowText(row);
      pathShown = viewer.findChild<QLabel*>("Label1")->text();
      pathTip = viewer.findChild<QLabel*>("Label1")->toolTip();
      EXPECT_EQ(viewer.focusWidget(), viewer.findChild<QWidget*>("Command1"));
      viewer.resize(viewer.width() + 100, viewer.height() + 60);
      EXPECT_EQ(list->width(), viewer.width());
      EXPECT_EQ(viewer.height() - list->height(), px(480)) << "the designed margin";
      viewer.resize(200, 10);  // lower than the margin
      EXPECT_EQ(list->height(), 0);
      viewer.close();
    });
    return rows;
  }

  TempFolder folder;
  ProgramState state;
  QString message, pathShown, pathTip;
};

// A path too long for the label: shortened in its folders, the file name kept, whole in the tip.
TEST_F(ResultViewerTest, shows_a_long_path_shortened_with_its_name_and_whole_in_its_tip) {
  const std::string deep = folder.file(std::string(80, 'a') + "/" + std::string(80, 'b'));
  std::filesystem::create_directories(deep);
  writeBytes(deep + "/pi.txt", "\"3.14\"\r\n");
  view(deep + "/pi.txt");
  EXPECT_TRUE(pathShown.contains(QChar(0x2026)) && pathShown.endsWith("/pi.txt"))
      << pathShown.toStdString();
  EXPECT_EQ(pathTip, QString::fromStdString(deep + "/pi.txt"));
}

TEST_F(ResultViewerTest, shows_the_lines_after_the_notice_and_keeps_the_last_or_says_why_not) {
  writeBytes(folder.file("pi.txt"), "\"100\"\r\n\"  8214811559  \"");  // no last line end
  const std::string pipe = folder.file("pipe");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  // The file, the rows shown, and why it cannot be read.
  const std::tuple<std::string, QStringList, QString> cases[] = {
      {" ", {kNotice}, ""},  // no file
      {folder.file("pi.txt"), {kNotice, "\"100\"", "\"  8214811559  \""}, ""},
      {folder.file("missing.txt"), {kNotice}, "No such file or directory"},
      {pipe, {kNotice}, "通常のファイルではありません"},  // never waits for a writer
      {"/dev/null", {kNotice}, "通常のファイルではありません"},
      {folder.path().string(), {kNotice}, "Is a directory"},
  };
  for (const auto& [path, rows, reason] : cases) {
    EXPECT_EQ(view(path), rows) << path;
    const QString cannot = "ファイル「" + QString::fromStdString(path) + "」を読めません。\n";
    EXPECT_EQ(message, reason.isEmpty() ? "" : cannot + reason);
  }
  EXPECT_EQ(state.lastViewedLine, "\"  8214811559  \"");
}

// The find row as a user drives it: Ctrl+F, digits typed or committed by an input method, a
// key; then what the list and the row's message show.
class FindRowTest : public ResultViewerTest {
 protected:
  // Opens the viewer on `bytes` (or on `path` when given) and hands it to `act` once its lines
  // are in.
  void withViewer(const std::string& bytes, const std::function<void(ResultViewer&)>& act,
                  const std::string& path = {}) {
    writeBytes(folder.file("pi.txt"), bytes);
    state.resultFilePath = path.empty() ? folder.file("pi.txt") : path;
    test::runModal<ResultViewer>(new ResultViewer(state), [&](ResultViewer& viewer) {
      if (!test::takeMessageBox().isEmpty()) {  // why a file cannot be shown; then back
        viewer.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&viewer));
      }
      ASSERT_TRUE(QTest::qWaitFor([&viewer] { return viewer.allLinesShown(); }));
      list = viewer.findChild<LineListView*>("List1");
      box = viewer.findChild<QLineEdit*>("FindText");
      message = viewer.findChild<QLabel*>("FindMessage");
      act(viewer);
      viewer.close();
    });
  }
  void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
  }
  // Puts `digits` in the box as an input method commits them, presses `key`, and gives the
  // message once the search has ended.
  QString find(const QString& digits, int key = Qt::Key_Return,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    if (!digits.isNull()) {
      box->clear();
      QInputMethodEvent commit;
      commit.setCommitString(digits);
      QApplication::sendEvent(box, &commit);
    }
    press(key, modifiers);
    EXPECT_TRUE(QTest::qWaitFor([this] {
      return !message->text().contains("検索しています") &&
             !message->text().contains("数えています");
    }));
    return message->text();
  }
  QString findAgain(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return find(QString(), key, modifiers);
  }
  // The characters marked in the current row and the one after it.
  QString marked() const {
    QString text;
    for (int row = list->currentRow(); row >= 0 && row <= list->currentRow() + 1; ++row) {
      for (const auto& [first, count] : list->source()->marks(row)) {
        text += list->rowText(row).mid(first, count);
      }
    }
    return text;
  }
  bool currentRowInSight() const {
    const int current = list->currentRow();
    return current >= list->firstVisibleRow() &&
           current < list->firstVisibleRow() + list->visibleRowCount();
  }
  static QString at(long long place, std::size_t count) {
    return QString("小数第 %1 位から（全 %2 か所）").arg(place).arg(count);
  }

  LineListView* list = nullptr;
  QLineEdit* box = nullptr;
  QLabel* message = nullptr;
};

// The row opens under the list and takes its height; places, marks, the current row and the
// count for a sequence once, many times (F3, Shift+F3, round the end) and nowhere; Esc closes.
TEST_F(FindRowTest, finds_marks_and_says_where_driven_by_keys) {
  const std::string& pi = test::referencePi();
  withViewer(test::resultFile("1000", test::digitLines(1000)), [&](ResultViewer& viewer) {
    EXPECT_FALSE(box->isVisible()) << "nothing changes until the user asks";
    press(Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(box->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), box);
    const QWidget* row = box->parentWidget();
    EXPECT_EQ(row->geometry().top(), list->geometry().bottom() + 1);
    EXPECT_EQ(viewer.height() - list->height() - row->height(), px(480)) << "the designed margin";
    viewer.resize(viewer.width(), viewer.height() + 60);
    EXPECT_EQ(viewer.height() - list->height() - row->height(), px(480));

    ASSERT_EQ(test::referencePlaces("999999", 1000), std::vector<long long>{762});
    const test::AccessibilityEvents heard;
    EXPECT_EQ(find("９９９ 999"), at(762, 1)) << "full-width or half-width, blanks ignored";
    EXPECT_EQ(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Description),
              at(762, 1))
        << "what a screen reader reads";
    EXPECT_GE(heard.count(box, QAccessible::DescriptionChanged), 2) << "searching, then found";
    EXPECT_EQ(marked(), "999999");
    EXPECT_TRUE(currentRowInSight());
    EXPECT_EQ(list->rowText(list->currentRow()).mid(0, 1), "\"");

    const QString acrossLines = QString::fromStdString(pi.substr(46, 8));  // places 47 … 54
    EXPECT_EQ(find(acrossLines), at(47, test::referencePlaces(pi.substr(46, 8), 1000).size()));
    EXPECT_EQ(marked(), acrossLines);
    EXPECT_EQ(list->currentRow(), 1 + 2) << "the notice, two header lines, then place 1's line";

    const std::vector<long long> places = test::referencePlaces("14", 1000);
    ASSERT_GE(places.size(), 3u);
    EXPECT_EQ(find("14"), at(places[0], places.size()));
    EXPECT_EQ(findAgain(Qt::Key_F3), at(places[1], places.size()));
    EXPECT_EQ(marked(), "14");
    EXPECT_EQ(findAgain(Qt::Key_F3, Qt::ShiftModifier), at(places[0], places.size()));
    EXPECT_EQ(findAgain(Qt::Key_F3, Qt::ShiftModifier), at(places.back(), places.size()));
    EXPECT_TRUE(currentRowInSight());
    EXPECT_EQ(findAgain(Qt::Key_Return), at(places[0], places.size())) << "round the end";

    ASSERT_TRUE(test::referencePlaces("0123456789", 1000).empty());
    EXPECT_EQ(find("0123456789"), "見つかりません");
    EXPECT_EQ(marked(), "");
    const std::string guard = pi.substr(997, 6);  // would end in the guard group
    ASSERT_TRUE(test::referencePlaces(guard, 1000).empty());
    EXPECT_EQ(find(QString::fromStdString(guard)), "見つかりません");
    for (const char* bad : {"", "12a", " "}) {
      EXPECT_EQ(find(bad), "数字を入力してください") << bad;
    }

    EXPECT_EQ(find("14"), at(places[0], places.size()));
    press(Qt::Key_Escape);
    EXPECT_TRUE(viewer.isVisible()) << "Esc closes the row, not the window";
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), list);
    EXPECT_EQ(viewer.height() - list->height(), px(480));
    EXPECT_EQ(marked(), "");
    EXPECT_EQ(message->text(), "");
    EXPECT_EQ(findAgain(Qt::Key_F3), at(places[1], places.size())) << "F3 opens the row again";
    EXPECT_TRUE(box->isVisible());
  });
}

// A file that is no result file: line by line, the line number as the place; the marks count
// characters, not the Shift-JIS bytes before them.
TEST_F(FindRowTest, finds_in_plain_text_by_line) {
  withViewer(toShiftJis("円周率 12 34") + "\r\n5 6\r\n1234", [&](ResultViewer&) {
    press(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(find("34"), "1 行目（全 2 か所）");
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(marked(), "34");
    EXPECT_EQ(find("56"), "2 行目（全 1 か所）") << "blanks ignored";
    EXPECT_EQ(find("345"), "見つかりません") << "not across a line end";
  });
}

// A device the viewer refuses to show is not read by a search either: it would never end.
TEST_F(FindRowTest, a_file_the_viewer_could_not_open_is_not_searched) {
  withViewer(
      "",
      [&](ResultViewer&) {
        press(Qt::Key_F, Qt::ControlModifier);
        EXPECT_EQ(find("0"), "見つかりません");
      },
      "/dev/zero");
}

}  // namespace
}  // namespace zembra::ui
