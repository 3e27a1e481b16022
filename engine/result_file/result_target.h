#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <string>

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

// What a result path names, found out before any computation.
struct ResultTarget {
  enum class Type {
    NewFile,      // nothing there yet: a regular file is created
    RegularFile,  // replaced, or overwritten in place
    Stream,       // a named pipe or a character device: opened and written
    Descriptor,   // /dev/stdout, /dev/fd/N …: written through that descriptor
  };
  Type type = Type::NewFile;
  std::string path;     // links followed: the name of the file itself
  int descriptor = -1;  // for Descriptor
  struct stat info {};  // for RegularFile and Stream
};

// Classifies `path` as the kernel resolves it, links (also dangling ones and
// chains) followed to the file they name. Throws RunError, naming `path`, for
// what can never be a result file (a folder, a block device, a socket, a
// descriptor not open for writing, an untrusted link, a name too long) and
// std::system_error for other failures to look it up.
ResultTarget classifyTarget(const std::string& path);

}  // namespace zembra
