#include "engine/result_file/result_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <deque>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/error.h"
#include "engine/result_file/result_output.h"

namespace zembra {
namespace {

// "N" (decimal digits only, no sign) as a descriptor number.
std::optional<int> descriptorNumber(const std::string& text) {
  int number = 0;
  const char* end = text.data() + text.size();
  if (text.empty() || text.front() == '+' || text.front() == '-') return std::nullopt;
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  if (error != std::errc() || stop != end) return std::nullopt;
  return number;
}

// Whether `folder` is a folder listing this process's descriptors.
bool isDescriptorFolder(const std::string& folder) {
  const std::string ownProcess = "/proc/" + std::to_string(::getpid()) + "/fd";  // not cached: fork
  return folder == "/dev/fd" || folder == "/proc/self/fd" || folder == "/proc/thread-self/fd" ||
         folder == ownProcess;
}

// The descriptor of this process that `path` names: /dev/stdin, /dev/stdout,
// /dev/stderr, /dev/fd/N, /proc/self/fd/N, /proc/thread-self/fd/N and
// /proc/PID/fd/N with this process's PID, also when spelt with "." or extra
// slashes. Read from the text alone, so it works without /dev or /proc;
// whether the descriptor is open is for the caller to find out.
std::optional<int> descriptorNamedBy(const std::string& path) {
  const std::filesystem::path normal = std::filesystem::path(path).lexically_normal();
  const std::string text = normal.string();
  if (text == "/dev/stdin") return 0;
  if (text == "/dev/stdout") return 1;
  if (text == "/dev/stderr") return 2;
  if (!isDescriptorFolder(normal.parent_path().string())) return std::nullopt;
  return descriptorNumber(normal.filename().string());
}

constexpr int kMaxLinks = 40;  // the kernel's limit

// The components of `path` in order, "" and "." left out.
std::deque<std::string> componentsOf(std::string_view path) {
  std::deque<std::string> components;
  while (!path.empty()) {
    const std::size_t end = std::min(path.find('/'), path.size());
    const std::string_view component = path.substr(0, end);
    if (!component.empty() && component != ".") components.emplace_back(component);
    path.remove_prefix(std::min(end + 1, path.size()));
  }
  return components;
}

FileDescriptor openFolder(int at, const char* name) {
  return FileDescriptor(checked(retryOnInterrupt(
      [&] { return ::openat(at, name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC); })));
}

std::string readLinkAt(int folder, const std::string& name) {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length =
        checked(::readlinkat(folder, name.c_str(), buffer.data(), buffer.size()));
    if (static_cast<std::size_t>(length) < buffer.size()) {
      return {buffer.data(), static_cast<std::size_t>(length)};
    }
    buffer.resize(buffer.size() * 2);
  }
}

// Where a resolution stands: the folder reached, the path to it as text, and
// the components still to go.
struct Walk {
  FileDescriptor folder;
  std::string shown;  // "/a/b/", "a/b/" or "" for the starting folder
  std::deque<std::string> rest;
  bool wantsFolder = false;  // the path, or the text of a link at its end, ends in "/"
  int links = 0;
};

// The path still to go, as text, from where the resolution started.
std::string remainingText(const Walk& walk) {
  std::string text = walk.shown;
  for (std::size_t i = 0; i < walk.rest.size(); ++i) {
    if (i > 0) text += '/';
    text += walk.rest[i];
  }
  return text;
}

using Refusal = Error::Refusal;

ResultTarget descriptorTarget(const std::string& given, int descriptor) {
  const int flags = ::fcntl(descriptor, F_GETFL);
  if (flags < 0) throw Error::refused(given, Refusal::DescriptorNotWritable, EBADF);
  const int access = flags & O_ACCMODE;
  if (access != O_WRONLY && access != O_RDWR) {
    throw Error::refused(given, Refusal::DescriptorNotWritable, EBADF);
  }
  ResultTarget target;
  target.type = ResultTarget::Type::Descriptor;
  target.path = given;
  target.descriptor = descriptor;
  return target;
}

// A name that does not exist yet must be one the folder can hold.
ResultTarget newFileTarget(const std::string& given, Walk& walk, const std::string& name) {
  if (walk.wantsFolder) throwSystemError(EISDIR);
  const long nameMax = ::fpathconf(walk.folder.get(), _PC_NAME_MAX);
  if (nameMax > 0 && name.size() > static_cast<std::size_t>(nameMax)) {
    throwSystemError(ENAMETOOLONG);
  }
  ResultTarget target;
  target.type = ResultTarget::Type::NewFile;
  target.path = given;
  target.folder = std::move(walk.folder);
  target.name = name;
  return target;
}

ResultTarget::Type typeOf(const std::string& given, mode_t mode) {
  switch (mode & S_IFMT) {
    case S_IFREG:
      return ResultTarget::Type::RegularFile;
    case S_IFIFO:
    case S_IFCHR:
      return ResultTarget::Type::Stream;
    case S_IFDIR:
      throw Error::refused(given, Refusal::Folder, EISDIR);
    case S_IFBLK:
      throw Error::refused(given, Refusal::BlockDevice);
    case S_IFSOCK:
      throw Error::refused(given, Refusal::Socket);
    default:
      throw Error::refused(given, Refusal::UnknownType);
  }
}

// Follows the link `name` (`link` its lstat) in the folder reached: its text
// takes its place among the components to go.
void followLink(const std::string& given, Walk& walk, const std::string& name,
                const struct stat& link) {
  if (++walk.links > kMaxLinks) throwSystemError(ELOOP);
  struct stat folder {};
  checked(::fstat(walk.folder.get(), &folder));
  if (!mayFollowLink(::geteuid(), folder, link)) {
    throw Error::refused(given, Refusal::UntrustedLink, EACCES);
  }
  const std::string text = readLinkAt(walk.folder.get(), name);
  if (text.empty()) throwSystemError(ENOENT);
  if (walk.rest.empty() && text.back() == '/') walk.wantsFolder = true;
  if (text.front() == '/') {
    walk.folder = openFolder(AT_FDCWD, "/");
    walk.shown.assign(1, '/');
  }
  const std::deque<std::string> components = componentsOf(text);
  walk.rest.insert(walk.rest.begin(), components.begin(), components.end());
}

// The last component, found: the file itself.
ResultTarget existingTarget(const std::string& given, Walk& walk, const std::string& name,
                            const struct stat& info) {
  if (walk.wantsFolder && !S_ISDIR(info.st_mode)) throwSystemError(ENOTDIR);
  ResultTarget target;
  target.type = typeOf(given, info.st_mode);
  target.path = given;
  target.folder = std::move(walk.folder);
  target.name = name;
  target.info = info;
  return target;
}

}  // namespace

bool mayFollowLink(uid_t self, const struct stat& folder, const struct stat& link) {
  const mode_t shared = S_ISVTX | S_IWOTH;
  if ((folder.st_mode & shared) != shared) return true;
  return link.st_uid == self || link.st_uid == folder.st_uid;
}

ResultTarget resolveTarget(const std::string& path) {
  if (path.empty()) throwSystemError(ENOENT);
  if (path.size() >= PATH_MAX) throwSystemError(ENAMETOOLONG);
  if (const std::optional<int> descriptor = descriptorNamedBy(path)) {
    return descriptorTarget(path, *descriptor);
  }
  const bool absolute = path.front() == '/';
  Walk walk{openFolder(AT_FDCWD, absolute ? "/" : "."), absolute ? "/" : "", componentsOf(path),
            path.back() == '/'};
  while (!walk.rest.empty()) {
    const std::string name = walk.rest.front();
    walk.rest.pop_front();
    if (name == "..") {  // the parent of the folder reached, as the kernel takes it
      walk.folder = openFolder(walk.folder.get(), "..");
      walk.shown += "../";
      continue;
    }
    struct stat info {};
    if (::fstatat(walk.folder.get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      if (errno == ENOENT && walk.rest.empty()) return newFileTarget(path, walk, name);
      throwSystemError(errno);
    }
    if (S_ISLNK(info.st_mode)) {
      followLink(path, walk, name, info);
      // A link to one of our descriptors (…/dev/stdout) is that descriptor.
      if (const std::optional<int> descriptor = descriptorNamedBy(remainingText(walk))) {
        return descriptorTarget(path, *descriptor);
      }
      continue;
    }
    if (walk.rest.empty()) return existingTarget(path, walk, name, info);
    if (!S_ISDIR(info.st_mode)) throwSystemError(ENOTDIR);
    walk.folder = openFolder(walk.folder.get(), name.c_str());
    walk.shown.append(name).push_back('/');
  }
  throw Error::refused(path, Refusal::Folder, EISDIR);  // the path ends at a folder
}

}  // namespace zembra
