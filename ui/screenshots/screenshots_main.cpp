// Renders every window in its typical states (the viewer with its find row
// too), the message of a failed run
// and the question before a file is replaced, to PNG files.
// Usage: zembra32-screenshots FOLDER   (run with QT_QPA_PLATFORM=offscreen)

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include "ui/common/fonts.h"
#include "ui/common/qt_japanese.h"
#include "ui/dialogs/counter_options_dialog.h"
#include "ui/dialogs/file_selection/file_selection_dialog.h"
#include "ui/dialogs/help_window.h"
#include "ui/dialogs/replace_question.h"
#include "ui/dialogs/version_window.h"
#include "ui/dialogs/viewer/result_viewer.h"
#include "ui/main/main_program.h"
#include "ui/main/no_window_launchers.h"
#include "ui/main/run_failure_message.h"

namespace {

bool save(QWidget& window, const QDir& folder, const QString& name) {
  QCoreApplication::processEvents();
  const QString path = folder.filePath(name);
  if (!window.grab().save(path)) {
    QTextStream(stderr) << "zembra32-screenshots: cannot write " << path << "\n";
    return false;
  }
  QTextStream(stdout) << path << "\n";
  return true;
}

// Shows a secondary window without its modal loop, saves it, and closes it.
bool saveWindow(QDialog* window, const QDir& folder, const QString& name) {
  window->show();
  const bool ok = save(*window, folder, name);
  window->close();  // deletes it
  return ok;
}

// Makes `window` the active one, so that its focus shows.
void activate(QWidget& window) {
  window.activateWindow();
  for (int look = 0; look < 100 && !window.isActiveWindow(); ++look) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
}

// The file selection with a path too long for its label, and the focus on
// the drive list.
bool saveLongPathSelection(std::string& resultFilePath, const QDir& folder) {
  using namespace zembra::ui;
  auto* dialog = new FileSelectionDialog(resultFilePath, Volumes({"/"}));
  dialog->show();
  activate(*dialog);
  dialog->findChild<QWidget*>("Drive1")->setFocus();
  dialog->findChild<QLineEdit*>("Text1")->setText(
      QStringLiteral("円周率の計算結果_327640桁_2026年12月10日_21時04分05秒.txt"));
  const bool ok = save(*dialog, folder, "file_selection_long_path.png");
  dialog->close();
  return ok;
}

// The viewer's find row (Ctrl+F) after Enter, with the six nines at place
// 762 found, and with a sequence that is nowhere.
bool saveViewerFind(zembra::ui::ProgramState& state, const QDir& folder) {
  auto* viewer = new zembra::ui::ResultViewer(state);
  viewer->show();
  activate(*viewer);
  QTest::keyClick(viewer, Qt::Key_F, Qt::ControlModifier);
  auto* box = viewer->findChild<QLineEdit*>("FindText");
  const auto* message = viewer->findChild<QLabel*>("FindMessage");
  bool ok = true;
  for (const auto& [digits, name] : {std::pair{"999999", "result_viewer_find.png"},
                                     std::pair{"0123456789", "result_viewer_find_none.png"}}) {
    box->setText(QString::fromLatin1(digits));
    QTest::keyClick(box, Qt::Key_Return);
    const bool ended =
        QTest::qWaitFor([message] { return !message->text().contains(QChar(0x2026)); });
    ok = ended && save(*viewer, folder, QString::fromLatin1(name)) && ok;
  }
  viewer->close();
  return ok;
}

// The secondary windows, the viewer on the result file just written.
bool saveSecondaryWindows(zembra::ui::ProgramState& state, const QDir& folder) {
  using namespace zembra::ui;
  bool ok = saveWindow(new FileSelectionDialog(state.resultFilePath, Volumes::system()), folder,
                       "file_selection.png");
  ok = saveLongPathSelection(state.resultFilePath, folder) && ok;
  ok = saveWindow(new VersionWindow, folder, "version.png") && ok;
  ok = saveWindow(new CounterOptionsDialog(state.run), folder, "counter_options.png") && ok;
  ok = saveWindow(new HelpWindow, folder, "help.png") && ok;
  ok = saveWindow(new ResultViewer(state), folder, "result_viewer.png") && ok;
  return saveViewerFind(state, folder) && ok;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 2) {
    QTextStream(stderr) << "Usage: zembra32-screenshots FOLDER\n";
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral("."))) {
    QTextStream(stderr) << "zembra32-screenshots: cannot create " << folder.path() << "\n";
    return 1;
  }
  zembra::ui::setUpFonts();
  zembra::ui::useQtJapanese();
  zembra::ui::ProgramState state;
  zembra::ui::NoWindowLaunchers launchers;
  zembra::ui::MainProgram program(state, launchers, [] {});
  zembra::ui::MainWindow& window = program.window();
  // A fixed time of day, so that the pictures only change when the windows do.
  program.runCommand().setClock([] { return QTime(21, 4, 5); });
  window.show();

  bool ok = save(window, folder, QStringLiteral("main_window_start.png"));

  // A run of 1,000 digits, pictured once while it goes on (the count greyed)
  // and once at its end.
  state.resultFilePath = folder.filePath("pi.txt").toStdString();
  state.run.counterStep = 100;
  window.controls().digitCountEdit->setText(QStringLiteral("1000"));
  QTimer::singleShot(0, &window, [&] {
    ok = save(window, folder, QStringLiteral("main_window_during_run.png")) && ok;
  });
  program.runCommand().run();
  state.run.counterStep = 1;
  ok = save(window, folder, QStringLiteral("main_window_after_run.png")) && ok;

  window.controls().pictureButtons[1]->showPressed();
  ok = save(window, folder, QStringLiteral("main_window_run_button_pressed.png")) && ok;
  window.controls().pictureButtons[1]->showRaised();

  window.controls().digitCountEdit->setText(QStringLiteral("50000"));
  ok = save(window, folder, QStringLiteral("main_window_over_45000.png")) && ok;

  ok = saveSecondaryWindows(state, folder) && ok;

  const zembra::Error failure(zembra::Error::Kind::FileOpen, "/home/user/missing/pi.txt",
                              "No such file or directory");
  const std::unique_ptr<QMessageBox> box = zembra::ui::makeRunFailureBox(&window, failure);
  box->show();
  ok = save(*box, folder, QStringLiteral("run_failure_message.png")) && ok;

  const std::unique_ptr<QMessageBox> question =
      zembra::ui::makeReplaceQuestionBox(&window, "/home/user/notes.txt");
  question->show();
  ok = save(*question, folder, QStringLiteral("replace_question.png")) && ok;
  return ok ? 0 : 1;
}
