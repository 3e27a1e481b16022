#include "ui/dialogs/file_selection/directory_list.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QScrollBar>
#include <algorithm>

#include "ui/common/design.h"

namespace zembra::ui {
namespace {

constexpr int kPathRole = Qt::UserRole;

// An absolute path without "." and ".." steps, as bytes.
QByteArray cleanAbsolute(const QByteArray& folder) {
  QByteArray absolute =
      folder.startsWith('/') ? folder : QFile::encodeName(QDir::currentPath()) + '/' + folder;
  QList<QByteArray> parts;
  for (const QByteArray& part : absolute.split('/')) {
    if (part.isEmpty() || part == ".") continue;
    if (part == "..") {
      if (!parts.isEmpty()) parts.removeLast();
      continue;
    }
    parts << part;
  }
  return '/' + parts.join('/');
}

}  // namespace

DirectoryList::DirectoryList(const Volumes& volumes, QWidget* parent)
    : QListWidget(parent), volumes_(volumes) {
  connect(this, &QListWidget::itemActivated, this, &DirectoryList::openEntry);
}

void DirectoryList::openEntry(QListWidgetItem* item) {
  const QByteArray folder = item->data(kPathRole).toByteArray();
  try {
    setPath(folder);
  } catch (const Error& error) {
    QMessageBox::warning(this, window()->windowTitle(),
                         QStringLiteral("フォルダ「%1」を開けません。\n%2")
                             .arg(breakablePath(shownName(folder)), folderErrorText(error)));
    const int scrolled = verticalScrollBar()->value();
    setCurrentRow(static_cast<int>(ancestorsOf(path_).size()) - 1);  // back on the folder shown
    verticalScrollBar()->setValue(scrolled);
  }
}

QString DirectoryList::entryName(int row) const {
  QString name = item(row)->text().trimmed();
  if (name.startsWith('[') && name.endsWith(']')) name = name.mid(1, name.size() - 2);
  return name;
}

// As list boxes do it: the letters typed within the keyboard's interval make
// one search from the next entry on; the same letter again steps through the
// entries that start with it.
void DirectoryList::keyboardSearch(const QString& typed) {
  if (typed.isEmpty() || count() == 0) return;
  if (!sinceTyped_.isValid() || sinceTyped_.elapsed() > QApplication::keyboardInputInterval()) {
    typed_.clear();
  }
  sinceTyped_.start();
  typed_ += typed;
  const bool stepping = typed_.count(typed_.front()) == typed_.size();
  const QString wanted = stepping ? typed_.left(1) : typed_;
  const int first = currentRow() + (stepping ? 1 : 0);
  for (int i = 0; i < count(); ++i) {
    const int row = (std::max(first, 0) + i) % count();
    if (entryName(row).startsWith(wanted, Qt::CaseInsensitive)) {
      setCurrentRow(row);
      return;
    }
  }
}

void DirectoryList::openAt(const QString& folder) {
  try {
    setPath(folder);
  } catch (const Error&) {
    setPathToDrive(volumes_.volumeOf(folder));
  }
}

void DirectoryList::setPath(const QByteArray& folder) {
  const QByteArray absolute = cleanAbsolute(folder);
  const QList<FolderEntry> children = readFolder(absolute, EntryKind::Folders);
  Volumes::setCurrentDirectory(volumes_.volumeOf(shownName(absolute)), absolute);
  if (absolute == path_) return;
  path_ = absolute;
  fill(children);
  emit pathChanged();
}

void DirectoryList::setPathToDrive(const QString& mountPoint) {
  const QByteArray remembered = Volumes::currentDirectory(mountPoint);
  try {
    setPath(remembered);
  } catch (const Error&) {
    const QByteArray root = QFile::encodeName(mountPoint);
    if (remembered == root) throw;
    setPath(root);  // the folder last shown there is gone
  }
}

void DirectoryList::fill(const QList<FolderEntry>& children) {
  const QSignalBlocker quiet(this);
  clear();
  const QList<QByteArray> ancestors = ancestorsOf(path_);
  for (int depth = 0; depth < ancestors.size(); ++depth) {
    const QByteArray& folder = ancestors[depth];
    const QString name =
        depth == 0 ? shownName(folder) : shownName(folder.mid(folder.lastIndexOf('/') + 1));
    auto* item = new QListWidgetItem(QString(depth * 2, ' ') + "[" + name + "]", this);
    item->setData(kPathRole, folder);
  }
  setCurrentRow(count() - 1);
  const QString indent(ancestors.size() * 2, ' ');
  for (const FolderEntry& child : children) {
    auto* item = new QListWidgetItem(indent + child.shown, this);
    item->setData(kPathRole, joinPath(path_, child.name));
  }
}

}  // namespace zembra::ui
