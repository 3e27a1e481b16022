#include "ui/dialogs/result_viewer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QScrollBar>
#include <QTest>

#include "tests/engine/temp_folder.h"
#include "tests/ui/dialogs/modal_driver.h"
#include "ui/dialogs/line_list_view.h"
#include "ui/main/design.h"

namespace zembra::ui {
namespace {

const QString kNotice = "４万５千桁を越えた為、画面表示はしません！";

class ResultViewerTest : public ::testing::Test {
 protected:
  // Opens the viewer on `path` and, once every line is counted and taken in,
  // returns the rows of its list; `act` runs inside after the message box, if
  // any, is read and closed.
  QStringList view(const std::string& path, const std::function<void(ResultViewer&)>& act = {}) {
    state.run.resultFilePath = path;
    QStringList rows;
    test::runModal<ResultViewer>(new ResultViewer(state), [&](ResultViewer& viewer) {
      message = test::takeMessageBox().remove(QChar(0x200B));
      EXPECT_TRUE(QTest::qWaitFor([&viewer] { return viewer.indexingDone(); }));
      QTest::qWait(150);  // the list takes in the counted lines
      auto* list = viewer.findChild<LineListView*>("List1");
      for (int row = 0; row < list->rowCount(); ++row) rows << list->rowText(row);
      if (act) act(viewer);
      viewer.close();
    });
    return rows;
  }

  TempFolder folder;
  ProgramState state;
  QString message;
};

TEST_F(ResultViewerTest, without_a_file_only_the_notice_shows_and_the_list_keeps_its_margin) {
  const auto act = [](ResultViewer& viewer) {
    ASSERT_TRUE(viewer.focusWidget());
    EXPECT_EQ(viewer.focusWidget()->objectName(), "Command1");
    auto* list = viewer.findChild<LineListView*>("List1");
    EXPECT_EQ(viewer.height() - list->height(), px(480)) << "the designed margin";
    viewer.resize(viewer.width() + 100, viewer.height() + 60);
    EXPECT_EQ(list->width(), viewer.width());
    EXPECT_EQ(viewer.height() - list->height(), px(480));
    viewer.resize(200, 10);  // lower than the margin
    EXPECT_EQ(list->height(), 0);
  };
  EXPECT_EQ(view(" ", act), QStringList{kNotice});
  EXPECT_EQ(message, "");
}

TEST_F(ResultViewerTest, shows_every_line_after_the_notice_and_keeps_the_last_one) {
  writeBytes(folder.file("empty.txt"), "");
  EXPECT_EQ(view(folder.file("empty.txt")), QStringList{kNotice});

  // "円周率の計算  桁数＝100" in Shift-JIS, a line wider than the list, and a
  // last line without a line end.
  writeBytes(folder.file("pi.txt"),
             "\"\x89\x7E\x8E\xFC\x97\xA6\x82\xCC\x8C\x76\x8E\x5A  \x8C\x85\x90\x94\x81\x81"
             "100\"\r\n" +
                 std::string(300, '7') + "\r\n\"  8214811559  \"");
  const auto act = [](ResultViewer& viewer) {
    EXPECT_TRUE(viewer.findChild<LineListView*>("List1")->horizontalScrollBar()->isVisible());
  };
  EXPECT_EQ(view(folder.file("pi.txt"), act),
            (QStringList{kNotice, "\"円周率の計算  桁数＝100\"", QString(300, '7'),
                         "\"  8214811559  \""}));
  EXPECT_EQ(state.lastViewedLine, "\"  8214811559  \"");
}

TEST_F(ResultViewerTest, a_file_that_cannot_be_read_gets_a_message_and_the_notice) {
  const std::string pipe = folder.file("pipe");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::pair<std::string, QString> cases[] = {
      {folder.file("missing.txt"), "No such file or directory"},
      {pipe, "通常のファイルではありません"},  // never waits for a writer
  };
  for (const auto& [path, reason] : cases) {
    EXPECT_EQ(view(path), QStringList{kNotice}) << path;
    EXPECT_EQ(message, "ファイル「" + QString::fromStdString(path) + "」を読めません。\n" + reason);
  }
}

}  // namespace
}  // namespace zembra::ui
