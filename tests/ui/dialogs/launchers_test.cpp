// The main window's commands with the real secondary windows behind them.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/engine/temp_folder.h"
#include "tests/ui/dialogs/modal_driver.h"
#include "ui/dialogs/directory_list.h"
#include "ui/dialogs/result_viewer.h"
#include "ui/dialogs/dialog_launchers.h"
#include "ui/main/main_program.h"

namespace zembra::ui {
namespace {

class LaunchersTest : public ::testing::Test {
 protected:
  LaunchersTest() {
    program.window().show();
  }

  // Inside the file selection dialog: the folder, the typed name, confirm.
  static void chooseFile(const QString& folder, const QString& name) {
    QWidget* dialog = test::activeModal();
    dialog->findChild<DirectoryList*>("Dir1")->setPath(folder);
    QTest::keyClicks(dialog->findChild<QLineEdit*>("Text1"), name);
    QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
  }

  // Once the viewer is open and has counted the lines: what it lists, then
  // close it.
  static void readViewerWhenOpen(QStringList& entries) {
    test::whenModal([&entries] {
      auto* viewer = qobject_cast<ResultViewer*>(test::activeModal());
      ASSERT_NE(viewer, nullptr);
      EXPECT_TRUE(QTest::qWaitFor([viewer] { return viewer->indexingDone(); }));
      entries = viewer->entries();
      viewer->close();
    });
  }

  TempFolder folder;
  ProgramState state;
  DialogLaunchers windows{state};
  MainProgram program{state, windows, [] {}};
  QString base = QString::fromStdString(folder.path().string());
};

TEST_F(LaunchersTest, a_run_after_the_display_command_writes_to_the_file_displayed) {
  writeBytes(folder.file("pi.txt"), "\"earlier\"\r\n");
  QStringList viewed;
  const auto watchdog = test::armWatchdog();
  test::whenModal([&] {
    chooseFile(base, "pi.txt");
    readViewerWhenOpen(viewed);
  });
  program.window().menus().showResultFile->trigger();
  ASSERT_EQ(viewed.size(), 2);
  EXPECT_EQ(viewed[1], "\"earlier\"");
  EXPECT_EQ(state.run.resultFilePath, folder.file("pi.txt"));

  program.window().controls().digitCountEdit->setText("100");
  program.window().menus().run->trigger();
  const std::string written = readBytes(folder.file("pi.txt"));
  EXPECT_NE(written.find("100\"\r\n"), std::string::npos);
  EXPECT_NE(written.find("\"  8214811559  \"\r\n"), std::string::npos);
  EXPECT_EQ(program.window().controls().resultFileLabel->text(), folder.file("pi.txt").c_str());
  EXPECT_FALSE(*watchdog);
}

TEST_F(LaunchersTest, closing_the_display_dialog_keeps_the_former_file_for_the_viewer) {
  writeBytes(folder.file("former.txt"), "\"former\"\r\n");
  state.run.resultFilePath = folder.file("former.txt");
  QStringList viewed;
  const auto watchdog = test::armWatchdog();
  test::whenModal([&] {
    test::activeModal()->close();
    readViewerWhenOpen(viewed);
  });
  program.window().menus().showResultFile->trigger();
  EXPECT_EQ(state.run.resultFilePath, folder.file("former.txt"));
  ASSERT_EQ(viewed.size(), 2);
  EXPECT_EQ(viewed[1], "\"former\"");
  EXPECT_FALSE(*watchdog);
}

}  // namespace
}  // namespace zembra::ui
