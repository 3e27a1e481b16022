#pragma once

#include <QListWidget>
#include <stdexcept>

#include "ui/dialogs/volumes.h"

namespace zembra::ui {

// A folder that cannot be shown; what() is the system's description.
class DirectoryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The directory list: the current folder's ancestors from the root down, the
// current folder, then its subfolders (hidden ones left out), indented like a
// tree. Opening an entry (double click or Enter) makes it the current folder;
// a folder that cannot be read is reported in a message box instead.
// `pathChanged` follows every change of the path, by the user or by code.
class DirectoryList : public QListWidget {
  Q_OBJECT

 public:
  DirectoryList(const Volumes& volumes, QWidget* parent);

  QString path() const { return path_; }
  // Throws DirectoryError, keeping the current path, when `folder` cannot be read.
  void setPath(const QString& folder);
  // Moves to the current directory of the drive with this mount point.
  void setPathToDrive(const QString& mountPoint);
  // Shows `folder`, or its volume's current directory if it cannot be read.
  void openAt(const QString& folder);

 signals:
  void pathChanged();

 private:
  void fill();
  void openEntry(QListWidgetItem* item);

  const Volumes& volumes_;
  QString path_;
};

}  // namespace zembra::ui
