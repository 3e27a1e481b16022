#include "engine/result_file/replacement_route.h"

#include <fcntl.h>
#include <unistd.h>

#include "engine/result_file/file_attributes.h"
#include "engine/result_file/result_target.h"

namespace zembra {
namespace {

// In a sticky folder only the file's owner, the folder's owner and root may
// rename over a file.
bool stickyFolderForbids(const struct stat& folder, const struct stat& file) {
  const uid_t self = ::geteuid();
  return (folder.st_mode & S_ISVTX) && self != 0 && file.st_uid != self && folder.st_uid != self;
}

}  // namespace

ReplacementRoute replacementRouteFor(const std::string& path, const struct stat& file) {
  const std::string folder = folderOf(path);
  struct stat folderInfo {};
  const bool atomic = file.st_nlink == 1 && canTakeOwnerOf(file) &&
                      ::stat(folder.c_str(), &folderInfo) == 0 &&
                      ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0 &&
                      !isAppendOnlyOrImmutable(folder) && !stickyFolderForbids(folderInfo, file);
  return atomic ? ReplacementRoute::Atomic : ReplacementRoute::InPlace;
}

}  // namespace zembra
