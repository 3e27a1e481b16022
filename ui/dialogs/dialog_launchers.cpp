#include "ui/dialogs/dialog_launchers.h"

#include "ui/dialogs/counter_options_dialog.h"
#include "ui/dialogs/file_selection/file_selection_dialog.h"
#include "ui/dialogs/help_window.h"
#include "ui/dialogs/replace_question.h"
#include "ui/dialogs/version_window.h"
#include "ui/dialogs/viewer/result_viewer.h"

namespace zembra::ui {

// Each window deletes itself when it closes (before exec() returns), so
// nothing of it is touched afterwards.
bool DialogLaunchers::openFileSelection(const QString& title) {
  auto* dialog = new FileSelectionDialog(state_.resultFilePath, Volumes::system(), owner());
  dialog->setWindowTitle(title);
  bool confirmed = false;
  QObject::connect(dialog, &FileSelectionDialog::confirmed, [&confirmed] { confirmed = true; });
  dialog->exec();
  return confirmed;
}

void DialogLaunchers::openResultViewer() { (new ResultViewer(state_, owner()))->exec(); }

void DialogLaunchers::openCounterOptions() {
  (new CounterOptionsDialog(state_.run, owner()))->exec();
}

void DialogLaunchers::openHelp() { (new HelpWindow(owner()))->exec(); }

void DialogLaunchers::openVersion() { (new VersionWindow(owner()))->exec(); }

bool DialogLaunchers::askToReplace(const std::string& path) {
  return askToReplaceFile(owner(), path);
}

}  // namespace zembra::ui
