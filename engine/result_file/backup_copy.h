#pragma once

#include <sys/stat.h>

#include <string>
#include <vector>

#include "engine/result_file/result_output.h"

namespace zembra {

// A copy of a file's earlier content, kept while the file is overwritten in
// place, as careful editors keep one: after any stop midway the earlier
// content survives whole in it. It sits beside the file
// (".NAME.zembra32-backup-XXXXXX") where the file's folder may be written and
// is not shared (sticky and writable by all), else in the user's state folder
// ($XDG_STATE_HOME/zembra32/, by default ~/.local/state/zembra32/, named
// after the file's device and inode). Mode 0600; the sweep of stale
// temporary files never takes it. It goes only when removed.
class BackupCopy {
 public:
  // Copies everything `source` (a descriptor of the file, open for reading)
  // holds and makes the copy durable. `folder` holds the file as `name`,
  // `info` its stat; `shownFolder` is that folder as the user named it, for
  // messages. Throws std::system_error.
  static BackupCopy make(int folder, const std::string& name, const struct stat& info, int source,
                         const std::string& shownFolder, const FileCalls& calls);

  BackupCopy(BackupCopy&&) noexcept = default;
  BackupCopy& operator=(BackupCopy&&) noexcept = default;

  // Where the copy is, as a message names it.
  const std::string& path() const { return shown_; }
  // Once the new content is durable: the copy goes (and its going is synced).
  void remove() noexcept;

 private:
  BackupCopy(FileDescriptor folder, std::string name, std::string shown);

  FileDescriptor folder_;
  std::string name_;
  std::string shown_;
};

// The copies that earlier runs, stopped while they overwrote the file `name`
// in `folder` (`info` its stat), left beside it or in the state folder: where
// they are, as a message names them.
std::vector<std::string> leftoverBackups(int folder, const std::string& name,
                                         const struct stat& info, const std::string& shownFolder);

// Whether `name` is a backup copy's (which no sweep may take).
bool isBackupName(const std::string& name);

}  // namespace zembra
