// The main window's commands with the real secondary windows behind them.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/engine/temp_folder.h"
#include "tests/ui/dialogs/modal_driver.h"
#include "ui/dialogs/dialog_launchers.h"
#include "ui/dialogs/directory_list.h"
#include "ui/dialogs/result_viewer.h"
#include "ui/main/main_program.h"

namespace zembra::ui {
namespace {

// Runs the display command: `choose` inside the file selection dialog, then
// returns the file's lines as the viewer lists them (without the notice).
QStringList displayFile(MainProgram& program, const std::function<void(QWidget*)>& choose) {
  QStringList lines;
  test::whenModal([&] {
    choose(test::activeModal());
    test::whenModal([&] {
      auto* viewer = qobject_cast<ResultViewer*>(test::activeModal());
      ASSERT_NE(viewer, nullptr);
      EXPECT_TRUE(QTest::qWaitFor([viewer] { return viewer->indexingDone(); }));
      lines = viewer->entries().mid(1);
      viewer->close();
    });
  });
  program.window().menus().showResultFile->trigger();
  return lines;
}

TEST(Launchers, the_display_command_shows_the_file_chosen_or_kept_and_a_run_writes_to_it) {
  TempFolder folder;
  ProgramState state;
  DialogLaunchers windows{state};
  MainProgram program{state, windows, [] {}};
  program.window().show();
  const auto watchdog = test::armWatchdog();
  writeBytes(folder.file("former.txt"), "\"former\"\r\n");
  writeBytes(folder.file("pi.txt"), "\"earlier\"\r\n");
  state.run.resultFilePath = folder.file("former.txt");
  // Closing the file selection keeps the former file.
  EXPECT_EQ(displayFile(program, [](QWidget* dialog) { dialog->close(); }),
            QStringList{"\"former\""});
  const auto choosePi = [&](QWidget* dialog) {
    dialog->findChild<DirectoryList*>("Dir1")->setPath(
        QString::fromStdString(folder.path().string()));
    QTest::keyClicks(dialog->findChild<QLineEdit*>("Text1"), "pi.txt");
    QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
  };
  EXPECT_EQ(displayFile(program, choosePi), QStringList{"\"earlier\""});

  program.window().controls().digitCountEdit->setText("100");
  program.window().menus().run->trigger();
  const std::string written = readBytes(folder.file("pi.txt"));
  EXPECT_NE(written.find("100\"\r\n"), std::string::npos);
  EXPECT_NE(written.find("\"  8214811559  \"\r\n"), std::string::npos);
  EXPECT_EQ(program.window().controls().resultFileLabel->text(), folder.file("pi.txt").c_str());
  EXPECT_FALSE(*watchdog);
}

}  // namespace
}  // namespace zembra::ui
