#include "ui/dialogs/secondary_windows.h"

#include <QApplication>

#include "ui/dialogs/form2_file_selection.h"
#include "ui/dialogs/form3_version.h"
#include "ui/dialogs/form4_counter_options.h"
#include "ui/dialogs/form5_help.h"
#include "ui/dialogs/form6_result_viewer.h"

namespace zembra::ui {

SecondaryWindows::SecondaryWindows(GlobalState& state) : state_(state) {}

QWidget* SecondaryWindows::owner() const {
  QWidget* modal = QApplication::activeModalWidget();
  return modal ? modal : mainWindow_;
}

// Each window deletes itself when it closes (before exec() returns), so
// nothing of it is touched afterwards.
void SecondaryWindows::showFileSelection(const QString& title) {
  auto* dialog = new Form2(state_, Volumes::system(), owner());
  dialog->setWindowTitle(title);
  dialog->exec();
}

void SecondaryWindows::showVersion() { (new Form3(owner()))->exec(); }

void SecondaryWindows::showCounterOptions() { (new Form4(state_, owner()))->exec(); }

void SecondaryWindows::showHelp() { (new Form5(owner()))->exec(); }

void SecondaryWindows::showResultViewer() { (new Form6(state_, owner()))->exec(); }

}  // namespace zembra::ui
