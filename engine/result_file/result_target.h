#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "engine/result_file/result_output.h"

namespace zembra {

// The folder of a path, "." for a bare name.
inline std::string folderOf(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  return folder.empty() ? "." : folder;
}

// The last component of a path ("" when it ends in a slash).
inline std::string nameOf(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

// What a result path names, found out before any computation, and held: the
// folder that holds the file stays open, and every later step (opening,
// creating, renaming, removing) is relative to it, so a folder on the path
// swapped for something else meanwhile changes nothing.
struct ResultTarget {
  enum class Type {
    NewFile,      // nothing there yet: a regular file is created
    RegularFile,  // replaced, or overwritten in place
    Stream,       // a named pipe or a character device: opened and written
    Descriptor,   // /dev/stdout, /dev/fd/N …: written through that descriptor
  };
  Type type = Type::NewFile;
  std::string path;       // as given, for messages
  FileDescriptor folder;  // the folder that holds the file (O_PATH), but for Descriptor
  std::string name;       // the file's name in that folder
  int descriptor = -1;    // for Descriptor
  struct stat info {};    // for RegularFile and Stream
};

// Resolves `path` one component at a time, as the kernel would, links (also
// dangling ones and chains, in any component) followed to the file they
// name, at most 40 of them. Throws Error, naming `path`, for what can
// never be a result file (a folder, a block device, a socket, a descriptor
// not open for writing, an untrusted link, a name or path too long) and
// std::system_error for other failures to look it up.
ResultTarget resolveTarget(const std::string& path);

// The rule of the kernel's protected symlinks, which the resolution applies
// to every link whatever the system's setting: in a sticky, world-writable
// folder (`folder`) a link (`link`) is followed only when it belongs to the
// user `self` or to the folder's owner.
bool mayFollowLink(uid_t self, const struct stat& folder, const struct stat& link);

}  // namespace zembra
