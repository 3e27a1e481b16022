#include "ui/dialogs/volumes.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStorageInfo>
#include <algorithm>

namespace zembra::ui {
namespace {

QHash<QString, QString>& currentDirectories() {
  static QHash<QString, QString> directories;
  return directories;
}

// File systems and places that hold no user files.
bool isPseudoFileSystem(const QStorageInfo& volume) {
  static const QStringList kPseudo = {
      "proc",       "sysfs",    "devtmpfs",   "devpts",   "cgroup",      "cgroup2",
      "securityfs", "debugfs",  "tracefs",    "configfs", "fusectl",     "mqueue",
      "hugetlbfs",  "pstore",   "bpf",        "autofs",   "binfmt_misc", "overlay",
      "nsfs",       "efivarfs", "rpc_pipefs", "squashfs"};
  const QString type = QString::fromLatin1(volume.fileSystemType());
  const QString root = volume.rootPath();
  for (const char* system : {"/proc", "/sys", "/dev", "/run", "/boot/efi"}) {
    if (root == system || root.startsWith(QString(system) + '/')) return true;
  }
  // A single file mounted in place (as containers do with /etc/hosts) is no drive.
  return kPseudo.contains(type) || !QFileInfo(root).isDir();
}

bool contains(const QString& mountPoint, const QString& path) {
  if (mountPoint == "/") return path.startsWith('/');
  return path == mountPoint || path.startsWith(mountPoint + '/');
}

}  // namespace

Volumes Volumes::system() {
  QStringList mountPoints;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (volume.isValid() && !isPseudoFileSystem(volume)) mountPoints << volume.rootPath();
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

QString Volumes::currentDirectory(const QString& mountPoint) {
  return currentDirectories().value(mountPoint, mountPoint);
}

void Volumes::setCurrentDirectory(const QString& mountPoint, const QString& directory) {
  currentDirectories().insert(mountPoint, directory);
}

QChar pathSeparator() { return QDir::separator(); }

QString joinPath(const QString& folder, const QString& name) {
  if (folder.endsWith(pathSeparator())) return folder + name;
  return folder + pathSeparator() + name;
}

}  // namespace zembra::ui
