#pragma once

#include "ui/common/modal_window.h"
#include "ui/common/program_state.h"
#include "ui/dialogs/file_selection/folder_entries.h"
#include "ui/dialogs/file_selection/volumes.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zembra::ui {

class DirectoryList;
class DriveList;
class FileList;

// The file selection dialog: a drive, a folder and a file name, picked or
// typed. The path label always shows the composed path; "確認" stores it as
// in `resultFilePath` and closes. Closing in any other way stores nothing.
class FileSelectionDialog : public ModalWindow {
  Q_OBJECT

 public:
  FileSelectionDialog(std::string& resultFilePath, Volumes volumes, QWidget* parent = nullptr);

  // The program's directory, and where the dialog opens: there if it is
  // writable, else in the user's home folder.
  static QString programDirectory();
  static QString startDirectory(const QString& programFolder = programDirectory());

 signals:
  void confirmed();  // "確認" stored the path; the dialog closes next

 private:
  void buildControls(Volumes volumes);
  void openAtProgramDirectory();
  void onDriveChanged();
  void onFolderChanged();
  void onFileClicked();
  void onFileNameEdited();
  void onConfirm();

  std::string& resultFilePath_;
  DriveList* driveList_ = nullptr;
  DirectoryList* folderList_ = nullptr;
  FileList* fileList_ = nullptr;
  QLineEdit* fileNameEdit_ = nullptr;
  QPushButton* confirmButton_ = nullptr;
  QLabel* pathLabel_ = nullptr;
  QLabel* fileArrowLabel_ = nullptr;
  FolderEntry pickedName_;  // the name last picked in the file list
  // The path the label shows, as bytes: what "確認" stores.
  QByteArray composedPath_{kNoResultFile.c_str()};
};

}  // namespace zembra::ui
