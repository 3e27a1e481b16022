#include "ui/dialogs/file_selection/volumes.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStorageInfo>
#include <algorithm>

namespace zembra::ui {
namespace {

QHash<QString, QByteArray>& currentDirectories() {
  static QHash<QString, QByteArray> directories;
  return directories;
}

bool contains(const QString& mountPoint, const QString& path) {
  if (mountPoint == "/") return path.startsWith('/');
  return path == mountPoint || path.startsWith(mountPoint + '/');
}

// Whether a volume of this file system type is one a user would pick.
bool holdsUserFiles(const QByteArray& fileSystemType) {
  // Kernel interfaces, memory file systems (/run, /dev/shm; a /tmp of its
  // own is still reached from the root), automount points, container layers
  // and read-only package images.
  static const QList<QByteArray> kNoUserFiles = {
      "proc",        "sysfs",          "devtmpfs",   "devpts",   "cgroup",      "cgroup2",
      "securityfs",  "debugfs",        "tracefs",    "configfs", "fusectl",     "mqueue",
      "hugetlbfs",   "pstore",         "bpf",        "autofs",   "binfmt_misc", "overlay",
      "nsfs",        "efivarfs",       "rpc_pipefs", "squashfs", "tmpfs",       "ramfs",
      "fuse.portal", "fuse.gvfsd-fuse"};
  return !kNoUserFiles.contains(fileSystemType);
}

}  // namespace

Volumes Volumes::system() {
  QList<Mount> mounts;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid()) continue;
    mounts.append(
        {volume.rootPath(), volume.fileSystemType(), QFileInfo(volume.rootPath()).isDir()});
  }
  return fromMounts(mounts);
}

Volumes Volumes::fromMounts(const QList<Mount>& mounts) {
  QStringList mountPoints;
  for (const Mount& mount : mounts) {
    if (mount.isFolder && holdsUserFiles(mount.fileSystemType)) mountPoints << mount.mountPoint;
  }
  mountPoints.removeDuplicates();
  mountPoints.removeAll("/");
  std::sort(mountPoints.begin(), mountPoints.end());
  mountPoints.prepend("/");
  return Volumes(mountPoints);
}

Volumes::Volumes(QStringList mountPoints) : mountPoints_(std::move(mountPoints)) {}

QString Volumes::volumeOf(const QString& path) const {
  QString best;
  for (const QString& mountPoint : mountPoints_) {
    if (contains(mountPoint, path) && mountPoint.size() > best.size()) best = mountPoint;
  }
  return best.isEmpty() && !mountPoints_.isEmpty() ? mountPoints_.first() : best;
}

QByteArray Volumes::currentDirectory(const QString& mountPoint) {
  return currentDirectories().value(mountPoint, QFile::encodeName(mountPoint));
}

void Volumes::setCurrentDirectory(const QString& mountPoint, const QByteArray& directory) {
  currentDirectories().insert(mountPoint, directory);
}

}  // namespace zembra::ui
