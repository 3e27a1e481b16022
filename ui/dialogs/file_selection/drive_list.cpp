#include "ui/dialogs/file_selection/drive_list.h"

#include <QStyleOptionComboBox>

#include "ui/common/focus_frame.h"

namespace zembra::ui {

DriveList::DriveList(Volumes volumes, QWidget* parent)
    : QComboBox(parent), volumes_(std::move(volumes)) {
  for (const QString& mountPoint : volumes_.mountPoints()) {
    addItem(mountPoint, mountPoint);
    setItemData(count() - 1, mountPoint, Qt::ToolTipRole);
  }
  shortenEntries();
  connect(this, &QComboBox::currentIndexChanged, this, [this] {
    setToolTip(drive());
    emit driveChanged();
  });
  setToolTip(drive());
}

QString DriveList::drive() const { return currentData().toString(); }

void DriveList::setDrive(const QString& path) {
  setCurrentIndex(findData(volumes_.volumeOf(path)));
}

void DriveList::paintEvent(QPaintEvent* event) {
  QComboBox::paintEvent(event);
  if (hasFocus()) drawFocusFrame(this, this);
}

void DriveList::resizeEvent(QResizeEvent* event) {
  QComboBox::resizeEvent(event);
  shortenEntries();
}

// Each mount point shortened in the middle to the text area of the box, so
// that two volumes under the same long folder still differ on screen.
void DriveList::shortenEntries() {
  QStyleOptionComboBox option;
  initStyleOption(&option);
  const int room =
      style()
          ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this)
          .width();
  for (int i = 0; i < count(); ++i) {
    setItemText(i, fontMetrics().elidedText(itemData(i).toString(), Qt::ElideMiddle, room));
  }
}

}  // namespace zembra::ui
