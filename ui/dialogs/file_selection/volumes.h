#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// The "drives" of the file selection dialog. On this platform a drive is a
// mounted volume a user would pick, the root first, designated by its mount
// point: whatever is mounted under /media or /run/media (where the desktop
// mounts removable media), but the kernel's own interfaces and automount
// points; elsewhere only volumes of file systems that hold user files
// (pseudo and memory file systems, container layers and package images left
// out). An automount point is never looked at, so listing the drives mounts
// nothing. Each drive
// remembers its current directory: the folder last shown on it in this
// process, its mount point at first.

namespace zembra::ui {

class Volumes {
 public:
  struct Mount {
    QString mountPoint;
    QByteArray fileSystemType;
  };

  // The mounted volumes of the system (/proc/self/mounts).
  static Volumes system();
  // The drives among these mounts: the root first, then the others sorted.
  // `isFolder` is asked of a drive's mount point, which may be a single file
  // mounted in place; never of one that is left out anyway.
  static Volumes fromMounts(const QList<Mount>& mounts,
                            const std::function<bool(const QString&)>& isFolder);
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
