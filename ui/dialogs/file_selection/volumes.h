#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The "drives" of the file selection dialog. On this platform a drive is a
// mounted volume a user would pick, chosen by its file system (pseudo and
// memory file systems left out, removable media in, wherever they are
// mounted), the root first, designated by its mount point. Each drive
// remembers its current directory: the folder last shown on it in this
// process, its mount point at first.

namespace zembra::ui {

class Volumes {
 public:
  struct Mount {
    QString mountPoint;
    QByteArray fileSystemType;
    bool isFolder;  // false for a single file mounted in place
  };

  // The mounted volumes of the system.
  static Volumes system();
  // The drives among these mounts: the root first, then the others sorted.
  static Volumes fromMounts(const QList<Mount>& mounts);
  // A fixed list of mount points, for tests; the first should be the root.
  explicit Volumes(QStringList mountPoints);

  const QStringList& mountPoints() const { return mountPoints_; }

  // The volume holding `path`: the longest mount point that contains it.
  QString volumeOf(const QString& path) const;

  // The drive's current directory (bytes, see folder_entries.h), and
  // remembering the folder last shown.
  static QByteArray currentDirectory(const QString& mountPoint);
  static void setCurrentDirectory(const QString& mountPoint, const QByteArray& directory);

 private:
  QStringList mountPoints_;
};

}  // namespace zembra::ui
