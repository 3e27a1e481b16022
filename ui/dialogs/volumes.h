#pragma once

#include <QString>
#include <QStringList>

// The "drives" of the file selection dialog. On this platform a drive is a
// mounted volume a user would pick (the root first, pseudo file systems left
// out), designated by its mount point. Each drive remembers its current
// directory: the folder last shown on it in this process, its mount point at
// first.

namespace zembra::ui {

class Volumes {
 public:
  // The mounted volumes of the system.
  static Volumes system();
  // A fixed list of mount points, for tests; the first should be the root.
  explicit Volumes(QStringList mountPoints);

  const QStringList& mountPoints() const { return mountPoints_; }

  // The volume holding `path`: the longest mount point that contains it.
  QString volumeOf(const QString& path) const;

  // The drive's current directory, and remembering the folder last shown.
  static QString currentDirectory(const QString& mountPoint);
  static void setCurrentDirectory(const QString& mountPoint, const QString& directory);

 private:
  QStringList mountPoints_;
};

// The separator between folder and name, and the path of a name in a folder:
// one separator between them unless the folder already ends with one.
QChar pathSeparator();
QString joinPath(const QString& folder, const QString& name);

}  // namespace zembra::ui
