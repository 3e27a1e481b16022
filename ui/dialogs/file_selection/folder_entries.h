#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "engine/error.h"

// Reading a folder the way the file selection dialog lists it. Names and
// paths stay bytes, as the system gives them, from the folder to the file
// that is finally opened: a name that is not valid UTF-8 still opens. Only
// what is shown becomes text.

namespace zembra::ui {

// The system's description of why a folder could not be read, in the user's
// language where the system has a translation.
QString folderErrorText(const Error& error);

struct FolderEntry {
  QByteArray name;  // as stored in the folder
  QString shown;    // as the lists show it (bytes that are not UTF-8 as U+FFFD)
};

enum class EntryKind { Folders, Files };

// The visible (not hidden) folders or plain files of `folder`, links followed,
// sorted by their shown names, case ignored. Throws Error
// (Error::Kind::FolderUnreadable) when the folder cannot be read.
QList<FolderEntry> readFolder(const QByteArray& folder, EntryKind kind);

// A name or path as the lists show it.
QString shownName(const QByteArray& bytes);

// `folder` and `name` with one separator between them unless the folder
// already ends with one.
QByteArray joinPath(const QByteArray& folder, const QByteArray& name);

// The folders from the root down to `folder` (an absolute path), itself last.
QList<QByteArray> ancestorsOf(const QByteArray& folder);

}  // namespace zembra::ui
