#pragma once

#include "engine/window.h"
#include "ui/dialogs/modal_window.h"
#include "ui/dialogs/volumes.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zembra::ui {

class DirectoryList;
class DriveList;
class FileList;

// The file selection dialog: a drive, a folder and a file name, picked or
// typed. Label1 always shows the composed path; "確認" stores it in
// ResultFilePath and closes. Closing in any other way stores nothing.
class Form2 : public ModalWindow {
  Q_OBJECT

 public:
  Form2(GlobalState& state, Volumes volumes, QWidget* parent = nullptr);

  // The program's directory, where the dialog opens.
  static QString programDirectory();

 private:
  void buildControls(Volumes volumes);
  void Form_Load();
  void Drive1_Change();
  void Dir1_Change();
  void File1_Click();
  void Text1_Change();
  void Command1_Click();

  GlobalState& state_;
  DriveList* Drive1 = nullptr;
  DirectoryList* Dir1 = nullptr;
  FileList* File1 = nullptr;
  QLineEdit* Text1 = nullptr;
  QPushButton* Command1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
};

}  // namespace zembra::ui
