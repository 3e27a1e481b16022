#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QScrollBar>
#include <QTest>

#include "tests/engine/temp_folder.h"
#include "tests/ui/dialogs/modal_driver.h"
#include "ui/dialogs/line_list_view.h"
#include "ui/dialogs/result_viewer.h"
#include "ui/main/design.h"

namespace zembra::ui {
namespace {

const QString kNotice = "４万５千桁を越えた為、画面表示はしません！";

class ResultViewerTest : public ::testing::Test {
 protected:
  // Opens the viewer on `path`, runs `act` inside it (a message box, if any,
  // is read and closed first), and returns what the list showed once every
  // line was counted.
  QStringList view(const std::string& path, const std::function<void(ResultViewer&)>& act = {}) {
    state.run.resultFilePath = path;
    auto* viewer = new ResultViewer(state);
    QStringList entries;
    test::whenModal([&, viewer] {
      message = test::takeMessageBox().remove(QChar(0x200B));
      EXPECT_TRUE(QTest::qWaitFor([viewer] { return viewer->indexingDone(); }));
      QTest::qWait(150);  // the list takes in the counted lines, and so the last one
      entries = viewer->entries();
      EXPECT_EQ(viewer->findChild<LineListView*>("List1")->rowCount(), entries.size());
      if (act) act(*viewer);
      viewer->close();
    });
    const auto watchdog = test::armWatchdog();
    viewer->exec();
    EXPECT_FALSE(*watchdog);
    return entries;
  }

  TempFolder folder;
  ProgramState state;
  QString message;
};

TEST_F(ResultViewerTest, no_file_shows_only_the_notice_with_the_confirm_button_focused) {
  QString focused;
  EXPECT_EQ(view(" ", [&](ResultViewer& viewer) {
              if (viewer.focusWidget()) focused = viewer.focusWidget()->objectName();
            }),
            QStringList{kNotice});
  EXPECT_EQ(message, "");
  EXPECT_EQ(focused, "Command1");
}

TEST_F(ResultViewerTest, shows_every_line_as_stored_after_the_notice) {
  writeBytes(folder.file("empty.txt"), "");
  EXPECT_EQ(view(folder.file("empty.txt")), QStringList{kNotice});

  // A result file in Shift-JIS: "円周率の計算  桁数＝100", then digit lines;
  // the last line has no line end.
  writeBytes(folder.file("pi.txt"),
             "\"\x89\x7E\x8E\xFC\x97\xA6\x82\xCC\x8C\x76\x8E\x5A  \x8C\x85\x90\x94\x81\x81"
             "100\"\r\n\"3.1415926535  \"\r\n\"  8214811559  \"");
  const QStringList entries = view(folder.file("pi.txt"));
  EXPECT_EQ(entries, (QStringList{kNotice, "\"円周率の計算  桁数＝100\"", "\"3.1415926535  \"",
                                  "\"  8214811559  \""}));
  EXPECT_EQ(state.lastViewedLine, "\"  8214811559  \"");
}

TEST_F(ResultViewerTest, a_file_that_cannot_be_read_gets_a_message_and_the_notice) {
  const std::string pipe = folder.file("pipe");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::pair<std::string, QString> cases[] = {
      {folder.file("missing.txt"), "No such file or directory"},
      {folder.path().string() + "/", "Is a directory"},
      {pipe, "通常のファイルではありません"},  // never waits for a writer
      {"/dev/null", "通常のファイルではありません"},
  };
  for (const auto& [path, reason] : cases) {
    EXPECT_EQ(view(path), QStringList{kNotice}) << path;
    EXPECT_TRUE(message.contains(QString::fromStdString(path))) << message.toStdString();
    EXPECT_TRUE(message.contains(reason)) << message.toStdString();
  }
}

TEST_F(ResultViewerTest, a_line_wider_than_the_list_brings_a_horizontal_scroll_bar) {
  writeBytes(folder.file("wide.txt"), "short\r\n" + std::string(300, '7') + "\r\n");
  view(folder.file("wide.txt"), [](ResultViewer& viewer) {
    auto* list = viewer.findChild<LineListView*>("List1");
    EXPECT_TRUE(list->horizontalScrollBar()->isVisible());
    EXPECT_GT(list->horizontalScrollBar()->maximum(), 0);
  });
}

TEST_F(ResultViewerTest, the_list_fills_the_width_and_keeps_its_bottom_margin) {
  view(" ", [](ResultViewer& viewer) {
    auto* list = viewer.findChild<LineListView*>("List1");
    const int margin = viewer.height() - list->height();
    EXPECT_EQ(margin, px(480)) << "the designed margin";
    viewer.resize(viewer.width() + 100, viewer.height() + 60);
    EXPECT_EQ(list->width(), viewer.width());
    EXPECT_EQ(viewer.height() - list->height(), margin);
    viewer.resize(200, 10);  // lower than the margin
    EXPECT_EQ(list->height(), 0);
  });
}

}  // namespace
}  // namespace zembra::ui
