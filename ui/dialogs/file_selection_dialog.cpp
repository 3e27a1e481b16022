#include "ui/dialogs/file_selection_dialog.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "ui/dialogs/directory_list.h"
#include "ui/dialogs/drive_list.h"
#include "ui/dialogs/file_list.h"
#include "ui/dialogs/window_style.h"

namespace zembra::ui {

FileSelectionDialog::FileSelectionDialog(RunSettings& settings, Volumes volumes, QWidget* parent)
    : ModalWindow(parent, "ファイル選択", Frame::Fixed, Icon::Program), settings_(settings) {
  setFixedSize(px(6915), px(3525));
  setBackground(this, colors::kGrey);
  buildControls(std::move(volumes));
  openAtProgramDirectory();
}

QString FileSelectionDialog::programDirectory() { return QCoreApplication::applicationDirPath(); }

void FileSelectionDialog::buildControls(Volumes volumes) {
  driveList_ = named(new DriveList(std::move(volumes), this), "Drive1");
  place(driveList_, 120, 60, 2415, 390);
  setColors(driveList_, colors::kLightGrey, 0x000000FF);
  folderList_ = named(new DirectoryList(driveList_->volumes(), this), "Dir1");
  place(folderList_, 120, 510, 4335, 2730);
  setColors(folderList_, colors::kLightGrey, 0x00000000);
  confirmButton_ = named(new QPushButton("確認", this), "Command1");
  place(confirmButton_, 2760, 120, 825, 375);
  confirmButton_->setAutoDefault(false);
  fileNameEdit_ = named(new QLineEdit(this), "Text1");
  place(fileNameEdit_, 4500, 60, 2325, 405);
  setColors(fileNameEdit_, colors::kLightGrey);
  pathLabel_ = named(new QLabel(this), "Label1");
  pathLabel_->setTextFormat(Qt::PlainText);
  place(pathLabel_, 120, 3240, 4365, 270);
  setColors(pathLabel_, colors::kLightGrey);
  fileArrowLabel_ = named(new QLabel("FILE→", this), "Label2");
  place(fileArrowLabel_, 3750, 90, 630, 270);
  setColors(fileArrowLabel_, colors::kGreen);
  fileList_ = named(new FileList(this), "File1");
  place(fileList_, 4500, 495, 2325, 2910);
  setColors(fileList_, colors::kLightGrey);
  setTabChain({driveList_, folderList_, confirmButton_, fileNameEdit_, fileList_});

  connect(driveList_, &DriveList::driveChanged, this, &FileSelectionDialog::onDriveChanged);
  connect(folderList_, &DirectoryList::pathChanged, this, &FileSelectionDialog::onFolderChanged);
  connect(fileList_, &FileList::fileClicked, this, &FileSelectionDialog::onFileClicked);
  connect(fileNameEdit_, &QLineEdit::textChanged, this, &FileSelectionDialog::onFileNameEdited);
  connect(confirmButton_, &QPushButton::clicked, this, &FileSelectionDialog::onConfirm);
}

void FileSelectionDialog::openAtProgramDirectory() {
  move(px(500), px(1200));
  const QString home = programDirectory();
  driveList_->setDrive(home);
  folderList_->openAt(home);
  fileList_->setPath(folderList_->path());
  pathLabel_->setText(" ");
}

// The one handler that reports an error: a volume that cannot be read leaves
// the folder as it was and puts the drive list back on the folder's volume.
void FileSelectionDialog::onDriveChanged() {
  try {
    folderList_->setPathToDrive(driveList_->drive());
  } catch (const DirectoryError& error) {
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(),
                    QString::fromLocal8Bit(error.what()), QMessageBox::Ok, this);
    box.exec();
    driveList_->setDrive(folderList_->path());
  }
}

void FileSelectionDialog::onFolderChanged() { fileList_->setPath(folderList_->path()); }

// Picking the name the box already holds (the same file in another folder)
// recomposes the path too, so the label always shows the folder now listed.
void FileSelectionDialog::onFileClicked() {
  const QString name = fileList_->selectedName();
  if (fileNameEdit_->text() == name) {
    onFileNameEdited();
  } else {
    fileNameEdit_->setText(name);
  }
}

void FileSelectionDialog::onFileNameEdited() { pathLabel_->setText(joinPath(folderList_->path(), fileNameEdit_->text())); }

void FileSelectionDialog::onConfirm() {
  settings_.resultFilePath = pathLabel_->text().toStdString();
  close();
}

}  // namespace zembra::ui
