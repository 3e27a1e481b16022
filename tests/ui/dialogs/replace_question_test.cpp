// The file a run writes: named in the main window as soon as it is chosen, and a file that is
// not a result file replaced only after the user said yes. Through the program's real windows.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/engine/temp_folder.h"
#include "tests/ui/dialogs/modal_driver.h"
#include "ui/dialogs/dialog_launchers.h"
#include "ui/dialogs/file_selection/directory_list.h"
#include "ui/dialogs/viewer/result_viewer.h"
#include "ui/main/main_program.h"

namespace zembra::ui {
namespace {

// A result file's first bytes: a quote and "円周率" in Shift-JIS.
const std::string kResultStart = "\"\x89\x7E\x8E\xFC\x97\xA6";

class ReplacingAFile : public ::testing::Test {
 protected:
  // A first run writes a result file and fills the list and the value boxes.
  ReplacingAFile() {
    state.resultFilePath = folder.file("result.txt");
    c.digitCountEdit->setText(QStringLiteral("100"));
    program.runCommand().run();
  }

  // Names `name` in the test folder in the real file selection dialog that `command` opens, and
  // closes the viewer that follows the display command.
  void choose(QAction* command, const std::string& name) {
    test::whenModal([this, command, name] {
      QWidget* dialog = test::activeModal();
      ASSERT_NE(dialog, nullptr);
      dialog->findChild<DirectoryList*>("Dir1")->setPath(
          QString::fromStdString(folder.path().string()));
      QTest::keyClicks(dialog->findChild<QLineEdit*>("Text1"), QString::fromStdString(name));
      QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
      if (command == menus.showResultFile) closeViewer();
    });
    command->trigger();
  }
  // Closes the viewer once it is open, after the message it shows over a file it cannot read
  // (posted when it opened, so it comes before a second look).
  static void closeViewer(bool seenOpen = false) {
    test::whenModal([seenOpen] {
      QWidget* top = test::activeModal();
      auto* viewer = qobject_cast<ResultViewer*>(top);
      if (viewer && seenOpen) {
        viewer->close();
        return;
      }
      if (auto* message = qobject_cast<QMessageBox*>(top)) message->accept();
      closeViewer(seenOpen || viewer);
    });
  }
  // Presses π; the question, if it comes, is answered `answer` (a button, or the key Esc or
  // Enter); a failure message is closed.
  // Returns the box's name and text, if one came.
  QString pressRun(const QString& answer) {
    box.clear();
    running = true;
    answerBox(answer);
    QTest::mouseClick(c.pictureButtons[1]->image(), Qt::LeftButton);
    running = false;
    QApplication::processEvents();
    return box;
  }
  // Answers the first message box that opens while the run command goes on.
  void answerBox(const QString& answer) {
    test::whenModal([this, answer] {
      auto* open = qobject_cast<QMessageBox*>(test::activeModal());
      if (!open) {
        if (running) answerBox(answer);
        return;
      }
      box = open->objectName() + ": " + open->text();
      if (answer == "Esc" || answer == "Enter") {
        return QTest::keyClick(open, answer == "Esc" ? Qt::Key_Escape : Qt::Key_Return);
      }
      for (QAbstractButton* button : open->buttons()) {
        if (button->text() == answer) return QTest::mouseClick(button, Qt::LeftButton);
      }
      open->close();
    });
  }
  // What the window shows: the list's lines and the value boxes.
  QStringList shown() const {
    QStringList texts;
    for (int row = 0; row < c.digitList->count(); ++row) texts << c.digitList->item(row)->text();
    for (QLabel* box : {c.startTimeLabel, c.termTotalLabel, c.counterLabel, c.endTimeLabel}) {
      texts << box->text();
    }
    return texts << c.resultFileLabel->text();
  }

  TempFolder folder;
  ProgramState state;
  DialogLaunchers windows{state};
  MainProgram program{state, windows, [] {}};
  const MainWindowControls& c = program.window().controls();
  const MainMenus& menus = program.window().menus();
  const test::Watchdog watchdog;
  QString box;           // the message box seen last
  bool running = false;  // the run command has not returned yet
};

TEST_F(ReplacingAFile, that_is_not_a_result_file_needs_a_yes_on_either_route) {
  const std::string elf(
      "\x7f"
      "ELF\x02\x01\x01\0\0\0\x02\0>\0",
      14);
  const struct {
    const char* name;
    std::string content;  // "fifo" makes a named pipe
    bool displayed;       // chosen with the display command, else with the output-file command
    QString answer;
    bool asked;
  } cases[] = {
      {"result.txt", {}, true, "", false},  // the run's own file: replaced unasked
      {"notes.txt", "notes\n", true, "いいえ", true},
      {"notes.txt", "notes\n", true, "はい", true},
      {"program", elf, true, "いいえ", true},
      {"program", elf, true, "はい", true},
      {"empty.txt", "", true, "", false},
      {"fifo", "fifo", true, "", false},
      {"other.txt", "other\n", false, "いいえ", true},
      {"other.txt", "other\n", false, "Enter", true},  // the default keeps the file
      {"other.txt", "other\n", false, "Esc", true},
  };
  for (const auto& [name, content, displayed, answer, asked] : cases) {
    SCOPED_TRACE(std::string(name) + " " + answer.toStdString());
    const std::string path = folder.file(name);
    if (content == "fifo")
      ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    else if (name != std::string("result.txt"))
      writeBytes(path, content);
    const std::string before = content == "fifo" ? "" : readBytes(path);
    choose(displayed ? menus.showResultFile : menus.chooseOutputFile, name);
    EXPECT_EQ(c.resultFileLabel->text(), QString::fromStdString(path)) << "named at once";
    const QStringList earlier = shown();
    struct stat file {};
    ::stat(path.c_str(), &file);

    // A pipe nobody reads is refused, as always, without blocking.
    const QString seen = pressRun(answer);
    const QString kind = seen.section(u':', 0, 0);
    EXPECT_EQ(kind, asked               ? "ReplaceQuestion"
                    : content == "fifo" ? "RunFailure"
                                        : "")
        << seen.toStdString();
    EXPECT_TRUE(!asked || seen.contains(name)) << "names the file";
    struct stat after {};
    ::stat(path.c_str(), &after);
    if (asked && answer != "はい") {
      EXPECT_EQ(readBytes(path), before) << "kept byte for byte";
      EXPECT_EQ(shown(), earlier) << "nothing of the run happened";
    } else if (content != "fifo") {
      EXPECT_TRUE(readBytes(path).starts_with(kResultStart)) << "replaced by the result";
      EXPECT_NE(after.st_ino, file.st_ino);
    }
    ::unlink(path.c_str());
  }
  EXPECT_FALSE(watchdog.fired());
}

}  // namespace
}  // namespace zembra::ui
