#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>

#include "ui/dialogs/file_selection/folder_entries.h"
#include "ui/dialogs/file_selection/volumes.h"

namespace zembra::ui {

// The directory list: the current folder's ancestors from the root down, the
// current folder, then its subfolders (hidden ones left out), indented like a
// tree. Opening an entry (double click or Enter) makes it the current folder;
// a folder that cannot be read is reported in a message box instead, and the
// highlight goes back to the current folder, the list staying where it was.
// Typing a folder's first letters moves to it. `pathChanged` follows every
// change of the path, by the user or by code. Paths are bytes (see
// folder_entries.h).
class DirectoryList : public QListWidget {
  Q_OBJECT

 public:
  DirectoryList(const Volumes& volumes, QWidget* parent);

  const QByteArray& path() const { return path_; }
  QString shownPath() const { return shownName(path_); }
  // Throws Error, keeping the current path, when `folder` cannot be read.
  void setPath(const QByteArray& folder);
  void setPath(const QString& folder) { setPath(QFile::encodeName(folder)); }
  // Moves to the current directory of the drive with this mount point, or to
  // the mount point itself when that folder can no longer be read.
  void setPathToDrive(const QString& mountPoint);
  // Shows `folder`, or its volume's current directory if it cannot be read.
  void openAt(const QString& folder);

 signals:
  void pathChanged();

 private:
  void fill(const QList<FolderEntry>& children);
  void openEntry(QListWidgetItem* item);
  // Type-ahead by the folders' names, past the indentation and brackets.
  void keyboardSearch(const QString& typed) override;
  QString entryName(int row) const;

  const Volumes& volumes_;
  QByteArray path_;
  QString typed_;  // what type-ahead has gathered
  QElapsedTimer sinceTyped_;
};

}  // namespace zembra::ui
