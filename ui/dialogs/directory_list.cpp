#include "ui/dialogs/directory_list.h"

#include <dirent.h>

#include <QDir>
#include <QMessageBox>
#include <cerrno>
#include <cstring>

namespace zembra::ui {
namespace {

constexpr int kPathRole = Qt::UserRole;

// Fails with the system's description when the folder cannot be listed.
void checkReadable(const QString& folder) {
  DIR* directory = ::opendir(QFile::encodeName(folder).constData());
  if (!directory) throw DirectoryError(std::strerror(errno));
  ::closedir(directory);
}

QStringList ancestorsOf(const QString& folder) {
  QStringList chain;
  for (QDir dir(folder);;) {
    chain.prepend(dir.absolutePath());
    if (dir.isRoot() || !dir.cdUp()) break;
  }
  return chain;
}

}  // namespace

DirectoryList::DirectoryList(const Volumes& volumes, QWidget* parent)
    : QListWidget(parent), volumes_(volumes) {
  connect(this, &QListWidget::itemActivated, this, &DirectoryList::openEntry);
}

void DirectoryList::openEntry(QListWidgetItem* item) {
  const QString folder = item->data(kPathRole).toString();
  try {
    setPath(folder);
  } catch (const DirectoryError& error) {
    QMessageBox::warning(this, window()->windowTitle(),
                         QString("フォルダ「%1」を開けません。\n%2")
                             .arg(folder, QString::fromLocal8Bit(error.what())));
  }
}

void DirectoryList::openAt(const QString& folder) {
  try {
    setPath(folder);
  } catch (const DirectoryError&) {
    setPathToDrive(volumes_.volumeOf(folder));
  }
}

void DirectoryList::setPath(const QString& folder) {
  const QString absolute = QDir(folder).absolutePath();
  checkReadable(absolute);
  Volumes::setCurrentDirectory(volumes_.volumeOf(absolute), absolute);
  if (absolute == path_) return;
  path_ = absolute;
  fill();
  emit pathChanged();
}

void DirectoryList::setPathToDrive(const QString& mountPoint) {
  setPath(Volumes::currentDirectory(mountPoint));
}

void DirectoryList::fill() {
  const QSignalBlocker quiet(this);
  clear();
  const QStringList ancestors = ancestorsOf(path_);
  for (int depth = 0; depth < ancestors.size(); ++depth) {
    const QString name = depth == 0 ? ancestors[depth] : QDir(ancestors[depth]).dirName();
    auto* item = new QListWidgetItem(QString(depth * 2, ' ') + "[" + name + "]", this);
    item->setData(kPathRole, ancestors[depth]);
  }
  setCurrentRow(count() - 1);
  const QStringList children =
      QDir(path_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
  for (const QString& child : children) {
    auto* item = new QListWidgetItem(QString(ancestors.size() * 2, ' ') + child, this);
    item->setData(kPathRole, joinPath(path_, child));
  }
}

}  // namespace zembra::ui
