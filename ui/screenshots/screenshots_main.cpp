// Renders every window in its typical states, and the message of a failed
// run, to PNG files.
// Usage: zembra32-screenshots FOLDER   (run with QT_QPA_PLATFORM=offscreen)

#include <QApplication>
#include <QDir>
#include <QTextStream>

#include "ui/dialogs/form2_file_selection.h"
#include "ui/dialogs/form3_version.h"
#include "ui/dialogs/form4_counter_options.h"
#include "ui/dialogs/form5_help.h"
#include "ui/dialogs/form6_result_viewer.h"
#include "ui/main/fonts.h"
#include "ui/main/main_program.h"
#include "ui/main/no_dialogs.h"
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

// The secondary windows, the viewer on the result file just written.
bool saveSecondaryWindows(zembra::GlobalState& state, const QDir& folder) {
  using namespace zembra::ui;
  bool ok = saveWindow(new Form2(state, Volumes::system()), folder, "file_selection.png");
  ok = saveWindow(new Form3, folder, "version.png") && ok;
  ok = saveWindow(new Form4(state), folder, "counter_options.png") && ok;
  ok = saveWindow(new Form5, folder, "help.png") && ok;
  return saveWindow(new Form6(state), folder, "result_viewer.png") && ok;
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
  zembra::ui::registerFontSubstitutes();
  zembra::GlobalState state;
  zembra::ui::NoDialogs dialogs;
  zembra::ui::MainProgram program(state, dialogs, [] {});
  zembra::ui::Form1& form = program.form();
  // A fixed time of day, so that the pictures only change when the windows do.
  program.runCommand().setClock([] { return QTime(21, 4, 5); });
  form.show();

  bool ok = save(form, folder, QStringLiteral("main_window_start.png"));

  state.ResultFilePath = folder.filePath("pi.txt").toStdString();
  form.controls().Text17->setText(QStringLiteral("100"));
  program.runCommand().run();
  ok = save(form, folder, QStringLiteral("main_window_after_run.png")) && ok;

  form.controls().pictureButtons[1]->showPressed();
  ok = save(form, folder, QStringLiteral("main_window_run_button_pressed.png")) && ok;
  form.controls().pictureButtons[1]->showRaised();

  form.controls().Text17->setText(QStringLiteral("50000"));
  ok = save(form, folder, QStringLiteral("main_window_over_45000.png")) && ok;

  ok = saveSecondaryWindows(state, folder) && ok;

  const zembra::RunError failure(zembra::RunError::Kind::FileOpen, "/home/user/missing/pi.txt",
                                 "No such file or directory");
  const std::unique_ptr<QMessageBox> box = zembra::ui::makeRunFailureBox(&form, failure);
  box->show();
  ok = save(*box, folder, QStringLiteral("run_failure_message.png")) && ok;
  return ok ? 0 : 1;
}
