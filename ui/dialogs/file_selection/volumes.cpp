#include "ui/dialogs/file_selection/volumes.h"

#include <mntent.h>

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <cstdio>

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

// The kernel's own interfaces and automount points: never a drive.
bool isKernelInterface(const QByteArray& fileSystemType) {
  static const QList<QByteArray> kInterfaces = {
      "proc",    "sysfs",   "devtmpfs",    "devpts",  "cgroup",   "cgroup2",   "securityfs",
      "debugfs", "tracefs", "configfs",    "fusectl", "mqueue",   "hugetlbfs", "pstore",
      "bpf",     "autofs",  "binfmt_misc", "nsfs",    "efivarfs", "rpc_pipefs"};
  return kInterfaces.contains(fileSystemType);
}

// Outside the removable media's folders: memory file systems (/run, /dev/shm;
// a /tmp of its own is still reached from the root), container layers and
// read-only package images hold nothing a user would pick.
bool holdsUserFiles(const QByteArray& fileSystemType) {
  static const QList<QByteArray> kNoUserFiles = {"overlay", "squashfs",    "tmpfs",
                                                 "ramfs",   "fuse.portal", "fuse.gvfsd-fuse"};
  return !isKernelInterface(fileSystemType) && !kNoUserFiles.contains(fileSystemType);
}

bool isRemovableMediaFolder(const QString& mountPoint) {
  return mountPoint.startsWith(QStringLiteral("/media/")) ||
         mountPoint.startsWith(QStringLiteral("/run/media/"));
}

}  // namespace

Volumes Volumes::system() {
  QList<Mount> mounts;
  if (std::FILE* table = ::setmntent("/proc/self/mounts", "r")) {
    while (const mntent* entry = ::getmntent(table)) {
      mounts.append({QFile::decodeName(entry->mnt_dir), QByteArray(entry->mnt_type)});
    }
    ::endmntent(table);
  }
  if (mounts.isEmpty()) mounts.append({QStringLiteral("/"), QByteArrayLiteral("unknown")});
  return fromMounts(mounts, [](const QString& path) { return QFileInfo(path).isDir(); });
}

Volumes Volumes::fromMounts(const QList<Mount>& mounts,
                            const std::function<bool(const QString&)>& isFolder) {
  QStringList mountPoints;
  for (const Mount& mount : mounts) {
    const bool drive = isRemovableMediaFolder(mount.mountPoint)
                           ? !isKernelInterface(mount.fileSystemType)
                           : holdsUserFiles(mount.fileSystemType);
    if (drive && mount.mountPoint != "/" && isFolder(mount.mountPoint)) {
      mountPoints << mount.mountPoint;
    }
  }
  mountPoints.removeDuplicates();
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
