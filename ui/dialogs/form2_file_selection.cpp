#include "ui/dialogs/form2_file_selection.h"

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

Form2::Form2(GlobalState& state, Volumes volumes, QWidget* parent)
    : ModalWindow(parent, "ファイル選択", Frame::Fixed, Icon::Program), state_(state) {
  setFixedSize(px(6915), px(3525));
  setBackground(this, colors::kGrey);
  buildControls(std::move(volumes));
  Form_Load();
}

QString Form2::programDirectory() { return QCoreApplication::applicationDirPath(); }

void Form2::buildControls(Volumes volumes) {
  Drive1 = named(new DriveList(std::move(volumes), this), "Drive1");
  place(Drive1, 120, 60, 2415, 390);
  setColors(Drive1, colors::kLightGrey, 0x000000FF);
  Dir1 = named(new DirectoryList(Drive1->volumes(), this), "Dir1");
  place(Dir1, 120, 510, 4335, 2730);
  setColors(Dir1, colors::kLightGrey, 0x00000000);
  Command1 = named(new QPushButton("確認", this), "Command1");
  place(Command1, 2760, 120, 825, 375);
  Command1->setAutoDefault(false);
  Text1 = named(new QLineEdit(this), "Text1");
  place(Text1, 4500, 60, 2325, 405);
  setColors(Text1, colors::kLightGrey);
  Label1 = named(new QLabel(this), "Label1");
  Label1->setTextFormat(Qt::PlainText);
  place(Label1, 120, 3240, 4365, 270);
  setColors(Label1, colors::kLightGrey);
  Label2 = named(new QLabel("FILE→", this), "Label2");
  place(Label2, 3750, 90, 630, 270);
  setColors(Label2, colors::kGreen);
  File1 = named(new FileList(this), "File1");
  place(File1, 4500, 495, 2325, 2910);
  setColors(File1, colors::kLightGrey);
  setTabChain({Drive1, Dir1, Command1, Text1, File1});

  connect(Drive1, &DriveList::driveChanged, this, &Form2::Drive1_Change);
  connect(Dir1, &DirectoryList::pathChanged, this, &Form2::Dir1_Change);
  connect(File1, &FileList::fileClicked, this, &Form2::File1_Click);
  connect(Text1, &QLineEdit::textChanged, this, &Form2::Text1_Change);
  connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
}

void Form2::Form_Load() {
  move(px(500), px(1200));
  const QString home = programDirectory();
  Drive1->setDrive(home);
  Dir1->openAt(home);
  File1->setPath(Dir1->path());
  Label1->setText(" ");
}

// The one handler that reports an error: a volume that cannot be read leaves
// the folder as it was and puts the drive list back on the folder's volume.
void Form2::Drive1_Change() {
  try {
    Dir1->setPathToDrive(Drive1->drive());
  } catch (const DirectoryError& error) {
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(),
                    QString::fromLocal8Bit(error.what()), QMessageBox::Ok, this);
    box.exec();
    Drive1->setDrive(Dir1->path());
  }
}

void Form2::Dir1_Change() { File1->setPath(Dir1->path()); }

// Picking the name the box already holds (the same file in another folder)
// recomposes the path too, so the label always shows the folder now listed.
void Form2::File1_Click() {
  const QString name = File1->selectedName();
  if (Text1->text() == name) {
    Text1_Change();
  } else {
    Text1->setText(name);
  }
}

void Form2::Text1_Change() { Label1->setText(joinPath(Dir1->path(), Text1->text())); }

void Form2::Command1_Click() {
  state_.ResultFilePath = Label1->text().toStdString();
  close();
}

}  // namespace zembra::ui
