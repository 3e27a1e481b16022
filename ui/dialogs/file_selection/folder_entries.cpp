#include "ui/dialogs/file_selection/folder_entries.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

namespace zembra::ui {
namespace {

bool isKind(const QByteArray& path, EntryKind kind) {
  struct stat status {};
  if (::stat(path.constData(), &status) != 0) return false;  // a dangling link
  return kind == EntryKind::Folders ? S_ISDIR(status.st_mode) : S_ISREG(status.st_mode);
}

}  // namespace

FolderError::FolderError(int error) : std::runtime_error(std::strerror(error)) {}

QString shownName(const QByteArray& bytes) { return QString::fromUtf8(bytes); }

QByteArray joinPath(const QByteArray& folder, const QByteArray& name) {
  if (folder.endsWith('/')) return folder + name;
  return folder + '/' + name;
}

QList<QByteArray> ancestorsOf(const QByteArray& folder) {
  QList<QByteArray> chain{"/"};
  QByteArray path;
  for (const QByteArray& part : folder.split('/')) {
    if (part.isEmpty()) continue;
    path += '/' + part;
    chain << path;
  }
  return chain;
}

QList<FolderEntry> readFolder(const QByteArray& folder, EntryKind kind) {
  const std::unique_ptr<DIR, int (*)(DIR*)> directory(::opendir(folder.constData()), &::closedir);
  if (!directory) throw FolderError(errno);
  QList<FolderEntry> entries;
  while (const dirent* entry = ::readdir(directory.get())) {
    const QByteArray name(entry->d_name);
    if (name.startsWith('.')) continue;  // hidden, and "." and ".."
    if (isKind(joinPath(folder, name), kind)) entries.append({name, shownName(name)});
  }
  std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
    return QString::compare(a.shown, b.shown, Qt::CaseInsensitive) < 0;
  });
  return entries;
}

}  // namespace zembra::ui
