#include "engine/result_file/file_attributes.h"

#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "engine/result_file/result_output.h"

namespace zembra {
namespace {

bool inOurGroups(gid_t group) {
  if (group == ::getegid()) return true;
  const int count = ::getgroups(0, nullptr);
  if (count <= 0) return false;
  std::vector<gid_t> groups(static_cast<std::size_t>(count));
  const int got = ::getgroups(count, groups.data());
  return got > 0 && std::find(groups.begin(), groups.begin() + got, group) != groups.end();
}

// A NUL-separated list as the xattr calls give it, split. `list` is called
// with a buffer and its size and returns the length, or -1 with errno.
template <typename List>
bool readNameList(List list, std::vector<std::string>& names) {
  for (;;) {
    const ssize_t size = list(nullptr, 0);
    if (size < 0) return errno == ENOTSUP;  // no extended attributes here at all
    std::vector<char> buffer(static_cast<std::size_t>(size) + 1);
    const ssize_t got = list(buffer.data(), buffer.size());
    if (got < 0 && errno == ERANGE) continue;  // grew meanwhile
    if (got < 0) return false;
    for (ssize_t at = 0; at < got; at += static_cast<ssize_t>(names.back().size()) + 1) {
      names.emplace_back(buffer.data() + at);
    }
    return true;
  }
}

bool readValue(const std::string& path, const std::string& name, std::vector<char>& value) {
  for (;;) {
    const ssize_t size = ::getxattr(path.c_str(), name.c_str(), nullptr, 0);
    if (size < 0) return false;
    value.resize(static_cast<std::size_t>(size));
    const ssize_t got = ::getxattr(path.c_str(), name.c_str(), value.data(), value.size());
    if (got < 0 && errno == ERANGE) continue;
    if (got < 0) return false;
    value.resize(static_cast<std::size_t>(got));
    return true;
  }
}

// The original's extended attributes on the new file, and only those (a new
// file may have been given the folder's default ACL).
bool copyExtendedAttributes(const std::string& originalPath, int fd) {
  std::vector<std::string> wanted, present;
  if (!readNameList([&](char* b, size_t n) { return ::listxattr(originalPath.c_str(), b, n); },
                    wanted) ||
      !readNameList([&](char* b, size_t n) { return ::flistxattr(fd, b, n); }, present)) {
    return false;
  }
  for (const std::string& name : present) {
    if (std::find(wanted.begin(), wanted.end(), name) != wanted.end()) continue;
    if (::fremovexattr(fd, name.c_str()) != 0) return false;
  }
  std::vector<char> value;
  for (const std::string& name : wanted) {
    if (!readValue(originalPath, name, value)) return false;
    if (::fsetxattr(fd, name.c_str(), value.data(), value.size(), 0) != 0) return false;
  }
  return true;
}

}  // namespace

bool isAppendOnlyOrImmutable(int folder, const std::string& name) {
  struct statx info {};
  const int flags = name.empty() ? AT_EMPTY_PATH : AT_SYMLINK_NOFOLLOW;
  if (::statx(folder, name.c_str(), flags, STATX_BASIC_STATS, &info) != 0) return false;
  const auto fixed = static_cast<std::uint64_t>(STATX_ATTR_APPEND | STATX_ATTR_IMMUTABLE);
  return (info.stx_attributes & info.stx_attributes_mask & fixed) != 0;
}

bool canTakeOwnerOf(const struct stat& original) {
  if (::geteuid() == 0) return true;
  return original.st_uid == ::geteuid() && inOurGroups(original.st_gid);
}

// The original is reached through a descriptor of its own, named by /proc
// for the attribute calls (which take a path), so it is the file the target
// resolved to whatever happens to the names meanwhile.
bool copyAttributes(int folder, const std::string& name, const struct stat& original, int fd) {
  struct stat created {};
  if (::fstat(fd, &created) != 0) return false;
  if ((created.st_uid != original.st_uid || created.st_gid != original.st_gid) &&
      ::fchown(fd, original.st_uid, original.st_gid) != 0) {
    return false;
  }
  const FileDescriptor originalFile(
      ::openat(folder, name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
  struct stat opened {};
  if (originalFile.get() < 0 || ::fstat(originalFile.get(), &opened) != 0 ||
      opened.st_ino != original.st_ino || opened.st_dev != original.st_dev) {
    return false;
  }
  if (!copyExtendedAttributes("/proc/self/fd/" + std::to_string(originalFile.get()), fd)) {
    return false;
  }
  // The mode last: a change of owner clears the set-ID bits, and the ACL sets
  // the group bits. The system may drop a set-group-ID bit silently: check.
  const mode_t mode = original.st_mode & 07777;
  if (::fchmod(fd, mode) != 0 || ::fstat(fd, &created) != 0) return false;
  return (created.st_mode & 07777) == mode;
}

}  // namespace zembra
