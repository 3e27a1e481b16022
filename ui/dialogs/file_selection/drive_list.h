#pragma once

#include <QComboBox>

#include "ui/dialogs/file_selection/volumes.h"

namespace zembra::ui {

// The drive list: one entry per volume, its mount point shortened in the
// middle to fit the box and whole in its tooltip. Setting the drive to any
// path selects the volume that holds it; `driveChanged` follows every change
// of the selection, by the user or by code.
class DriveList : public QComboBox {
  Q_OBJECT

 public:
  DriveList(Volumes volumes, QWidget* parent);

  QString drive() const;  // the selected volume's mount point
  void setDrive(const QString& path);
  const Volumes& volumes() const { return volumes_; }

 signals:
  void driveChanged();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;  // with the focus frame

 private:
  void shortenEntries();

  Volumes volumes_;
};

}  // namespace zembra::ui
