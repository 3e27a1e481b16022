#include "ui/dialogs/drive_list.h"

namespace zembra::ui {

DriveList::DriveList(Volumes volumes, QWidget* parent)
    : QComboBox(parent), volumes_(std::move(volumes)) {
  addItems(volumes_.mountPoints());
  connect(this, &QComboBox::currentIndexChanged, this, &DriveList::driveChanged);
}

QString DriveList::drive() const { return currentText(); }

void DriveList::setDrive(const QString& path) {
  setCurrentIndex(findText(volumes_.volumeOf(path)));
}

}  // namespace zembra::ui
