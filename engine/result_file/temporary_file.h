#pragma once

#include <functional>
#include <string>

#include "engine/result_file/result_output.h"

namespace zembra {

// The new content of a result file, in a file of its own beside the target,
// until it is renamed over the target.
//
// Its name, if it has one, starts with kTemporaryPrefix and is short whatever
// the target's name, so it fits wherever the target's name fits. The file is
// locked (flock) for as long as it lives, and a SIGINT, SIGTERM or SIGHUP
// removes it (engine/result_file/signal_cleanup.h); what a harder end (SIGKILL, a power
// cut) leaves behind, the next run in the same folder sweeps away.
class TemporaryFile {
 public:
  // An unnamed file (O_TMPFILE) where the file system has them and /proc can
  // name it later, else a named one, in `folder` (a descriptor of it, which
  // the file keeps a copy of). Throws std::system_error.
  static TemporaryFile create(int folder, bool allowUnnamed);
  ~TemporaryFile();
  TemporaryFile(TemporaryFile&& other) noexcept;
  TemporaryFile& operator=(TemporaryFile&&) = delete;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int descriptor() const { return fd_; }
  int folder() const { return folder_.get(); }
  bool named() const { return !name_.empty(); }

  // Puts the file in place of `target`, a name in its folder (renamed over
  // it; an unnamed file is named first); signals wait meanwhile. Throws
  // std::system_error.
  void renameOver(const std::string& target);

 private:
  TemporaryFile(FileDescriptor folder, int fd, std::string name);
  static TemporaryFile createNamed(FileDescriptor folder);
  void nameUnnamed();
  void discard() noexcept;

  FileDescriptor folder_;
  int fd_ = -1;
  std::string name_;  // empty while unnamed
  int cleanupSlot_ = -1;
};

// Six random letters and digits, for names no other file has yet.
std::string randomSuffix();

// How the names of temporary files begin.
inline constexpr const char* kTemporaryPrefix = ".zembra32-";

// Removes what runs that ended without cleaning up left in `folder`: files
// named with kTemporaryPrefix, owned by this user, that no live run holds
// locked. Nothing else: never a backup copy (backup_copy.h). Errors are ignored: this is tidying
// only.
void sweepStaleTemporaries(int folder);

// Calls `visit` with each name in the folder `folder` is a descriptor of, and
// the descriptor of the listing it reads; nothing when the folder cannot be read.
void forEachName(int folder, const std::function<void(int listing, const char* name)>& visit);

}  // namespace zembra
