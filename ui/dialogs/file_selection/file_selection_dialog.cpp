#include "ui/dialogs/file_selection/file_selection_dialog.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "ui/common/design.h"
#include "ui/common/path_label.h"
#include "ui/common/window_style.h"
#include "ui/dialogs/file_selection/directory_list.h"
#include "ui/dialogs/file_selection/drive_list.h"
#include "ui/dialogs/file_selection/file_list.h"

namespace zembra::ui {

FileSelectionDialog::FileSelectionDialog(std::string& resultFilePath, Volumes volumes,
                                         QWidget* parent)
    : ModalWindow(parent, "ファイル選択", Frame::Fixed, Icon::Program),
      resultFilePath_(resultFilePath) {
  setFixedSize(px(6915), px(3525));
  setBackground(this, colors::kGrey);
  buildControls(std::move(volumes));
  openAtProgramDirectory();
}

QString FileSelectionDialog::programDirectory() { return QCoreApplication::applicationDirPath(); }

// The program's folder, where a result file lands beside the program; the
// user's home folder where the program's folder cannot take one (an
// installed program).
QString FileSelectionDialog::startDirectory(const QString& programFolder) {
  if (::access(QFile::encodeName(programFolder).constData(), W_OK) == 0) return programFolder;
  return QDir::homePath();
}

void FileSelectionDialog::buildControls(Volumes volumes) {
  driveList_ = named(new DriveList(std::move(volumes), this), "Drive1");
  place(driveList_, 120, 60, 2415, 390);
  setColors(driveList_, colors::kLightGrey, 0x000000FF);
  folderList_ = named(new DirectoryList(driveList_->volumes(), this), "Dir1");
  place(folderList_, 120, 510, 4335, 2730);
  setColors(folderList_, colors::kLightGrey, 0x00000000);
  confirmButton_ = makeConfirmButton(2760, 120, 825, 375, false);
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
  // What each list and the name box are for, for screen readers: their captions are plain labels
  // or none. (The drive list, a combo box, tells its drive as its name, as combo boxes do here.)
  folderList_->setAccessibleName(QStringLiteral("フォルダ"));
  fileNameEdit_->setAccessibleName(QStringLiteral("ファイル名"));
  fileList_->setAccessibleName(QStringLiteral("ファイル"));
  setTabChain({driveList_, folderList_, confirmButton_, fileNameEdit_, fileList_});

  connect(driveList_, &DriveList::driveChanged, this, &FileSelectionDialog::onDriveChanged);
  connect(folderList_, &DirectoryList::pathChanged, this, &FileSelectionDialog::onFolderChanged);
  connect(fileList_, &FileList::fileClicked, this, &FileSelectionDialog::onFileClicked);
  connect(fileNameEdit_, &QLineEdit::textChanged, this, &FileSelectionDialog::onFileNameEdited);
  connect(confirmButton_, &QPushButton::clicked, this, &FileSelectionDialog::onConfirm);
}

void FileSelectionDialog::openAtProgramDirectory() {
  move(px(500), px(1200));
  const QString start = startDirectory();
  driveList_->setDrive(start);
  folderList_->openAt(start);
  fileList_->setPath(folderList_->path());
  showPath(pathLabel_, QString::fromStdString(kNoResultFile));
}

// The one handler that reports an error: a volume that cannot be read leaves
// the folder as it was and puts the drive list back on the folder's volume.
void FileSelectionDialog::onDriveChanged() {
  try {
    folderList_->setPathToDrive(driveList_->drive());
  } catch (const Error& error) {
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(),
                    QStringLiteral("ドライブ「%1」を開けません。\n%2")
                        .arg(breakablePath(driveList_->drive()), folderErrorText(error)),
                    QMessageBox::Ok, this);
    box.exec();
    const QSignalBlocker quiet(driveList_);
    driveList_->setDrive(folderList_->shownPath());
  }
}

// The drive follows the folder, also across a mount point.
void FileSelectionDialog::onFolderChanged() {
  fileList_->setPath(folderList_->path());
  const QSignalBlocker quiet(driveList_);
  driveList_->setDrive(folderList_->shownPath());
}

// Picking the name the box already holds (the same file in another folder)
// recomposes the path too, so the label always shows the folder now listed.
void FileSelectionDialog::onFileClicked() {
  const QString name = fileList_->selectedName();
  pickedName_ = {fileList_->selectedNameBytes(), name};
  if (fileNameEdit_->text() == name) {
    onFileNameEdited();
  } else {
    fileNameEdit_->setText(name);
  }
}

// The name as stored when it is still the one picked (its bytes need not be
// UTF-8), as typed otherwise.
void FileSelectionDialog::onFileNameEdited() {
  const QString typed = fileNameEdit_->text();
  const QByteArray name = typed == pickedName_.shown ? pickedName_.name : QFile::encodeName(typed);
  composedPath_ = joinPath(folderList_->path(), name);
  showPath(pathLabel_, shownName(composedPath_));
}

void FileSelectionDialog::onConfirm() {
  resultFilePath_ = composedPath_.toStdString();
  emit confirmed();
  close();
}

}  // namespace zembra::ui
