#include "engine/result_file/atomic_replacement.h"

#include <fcntl.h>
#include <unistd.h>

#include "engine/result_file/file_attributes.h"
#include "engine/result_file/result_output.h"
#include "engine/result_file/result_target.h"

namespace zembra {
namespace {

// Makes the rename durable; a folder that cannot be synced is no failure.
void syncFolder(int folder) {
  const int fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// In a sticky folder only the file's owner, the folder's owner and root may
// rename over a file.
bool stickyFolderForbids(const struct stat& folder, const struct stat& file) {
  const uid_t self = ::geteuid();
  return (folder.st_mode & S_ISVTX) && self != 0 && file.st_uid != self && folder.st_uid != self;
}

}  // namespace

ReplacementRoute replacementRouteFor(int folder, const struct stat& file) {
  struct stat folderInfo {};
  const bool atomic =
      file.st_nlink == 1 && canTakeOwnerOf(file) && ::fstat(folder, &folderInfo) == 0 &&
      ::faccessat(folder, ".", W_OK | X_OK, AT_EACCESS) == 0 &&
      !isAppendOnlyOrImmutable(folder, "") && !stickyFolderForbids(folderInfo, file);
  return atomic ? ReplacementRoute::Atomic : ReplacementRoute::InPlace;
}

AtomicReplacement::AtomicReplacement(TemporaryFile file, std::string target, FileCalls calls)
    : file_(std::move(file)), target_(std::move(target)), calls_(calls) {}

void AtomicReplacement::write(std::string_view bytes) {
  writeAll(calls_.write, file_.descriptor(), bytes);
}

void AtomicReplacement::commit() {
  checked(calls_.fsync(file_.descriptor()));
  file_.renameOver(target_);
  syncFolder(file_.folder());
}

}  // namespace zembra
