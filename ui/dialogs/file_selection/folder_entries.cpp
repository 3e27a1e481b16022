#include "ui/dialogs/file_selection/folder_entries.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace zembra::ui {
namespace {

namespace fs = std::filesystem;

fs::path pathOf(const QByteArray& bytes) { return fs::path(bytes.toStdString()); }
QByteArray bytesOf(const fs::path& path) { return QByteArray::fromStdString(path.native()); }

// Links followed; a dangling link is neither.
bool isKind(const fs::directory_entry& entry, EntryKind kind) {
  std::error_code error;
  const fs::file_status status = entry.status(error);
  return kind == EntryKind::Folders ? fs::is_directory(status) : fs::is_regular_file(status);
}

}  // namespace

QString folderErrorText(const Error& error) {
  return QString::fromLocal8Bit(std::strerror(error.errorNumber()));
}

QString shownName(const QByteArray& bytes) { return QString::fromUtf8(bytes); }

// The folder with one separator at its end (`/ ""` adds one unless it is
// there), then the name as it is.
QByteArray joinPath(const QByteArray& folder, const QByteArray& name) {
  return bytesOf(pathOf(folder) / "") + name;
}

QList<QByteArray> ancestorsOf(const QByteArray& folder) {
  QList<QByteArray> chain;
  fs::path path;
  for (const fs::path& part : pathOf(folder)) {
    if (part.empty()) continue;  // the empty name after a trailing "/"
    path /= part;
    chain << bytesOf(path);
  }
  if (chain.isEmpty()) chain << "/";
  return chain;
}

QList<FolderEntry> readFolder(const QByteArray& folder, EntryKind kind) {
  std::error_code error;
  fs::directory_iterator entry(pathOf(folder), error);
  if (error)
    throw Error::fileError(Error::Kind::FolderUnreadable, folder.toStdString(), error.value());
  QList<FolderEntry> entries;
  // A folder that fails midway is listed as far as it was read.
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    const QByteArray name = bytesOf(entry->path().filename());
    if (name.startsWith('.')) continue;  // hidden
    if (isKind(*entry, kind)) entries.append({name, shownName(name)});
  }
  std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
    return QString::compare(a.shown, b.shown, Qt::CaseInsensitive) < 0;
  });
  return entries;
}

}  // namespace zembra::ui
