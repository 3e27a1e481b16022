#include "engine/result_file/result_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <optional>
#include <vector>

#include "engine/result_file/result_output.h"
#include "engine/run_error.h"

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

constexpr int kMaxHops = 40;  // the kernel's limit

std::string readLink(const std::string& path) {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length = checked(::readlink(path.c_str(), buffer.data(), buffer.size()));
    if (static_cast<std::size_t>(length) < buffer.size())
      return {buffer.data(), std::size_t(length)};
    buffer.resize(buffer.size() * 2);
  }
}

// Where a link's text points: absolute as written, relative from the link's folder.
std::string linkDestination(const std::string& linkPath, const std::string& text) {
  if (!text.empty() && text.front() == '/') return text;
  const std::filesystem::path folder = std::filesystem::path(linkPath).parent_path();
  return folder.empty() ? text : (folder / text).string();
}

// Like the kernel's protected-symlinks rule, a link in a sticky world-writable
// folder is followed only when it belongs to this user or to the folder's
// owner: whether the link at `linkPath`, owned by `linkOwner`, is one this
// rule refuses to follow.
bool isUntrustedLink(const std::string& linkPath, unsigned linkOwner) {
  if (linkOwner == ::geteuid()) return false;
  const std::string folder = folderOf(linkPath);
  struct stat folderInfo {};
  if (::stat(folder.c_str(), &folderInfo) != 0) return false;  // the kernel decides then
  const mode_t shared = S_ISVTX | S_IWOTH;
  if ((folderInfo.st_mode & shared) != shared) return false;
  return folderInfo.st_uid != linkOwner;
}

// Where a chain of symbolic links ends.
struct LinkChainEnd {
  std::string path;               // the first name that is not a link (it may not exist)
  std::optional<int> descriptor;  // set when a name on the way names one of our descriptors
  bool untrusted = false;         // stopped at a link the rule above refuses to follow
};

// Follows `path` through symbolic links in its last component, hop by hop, as
// the kernel does (relative links from their own folder, at most 40 hops);
// the chain stops at an untrusted link, marked so. Throws std::system_error
// (ELOOP for too many hops).
LinkChainEnd followLinkChain(const std::string& path) {
  std::string current = path;
  for (int hop = 0;; ++hop) {
    if (const std::optional<int> descriptor = descriptorNamedBy(current)) {
      return {current, descriptor, false};
    }
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return {current, {}, false};
    if (hop == kMaxHops) throwSystemError(ELOOP);
    if (isUntrustedLink(current, info.st_uid)) return {current, {}, true};
    current = linkDestination(current, readLink(current));
  }
}

using Refusal = RunError::Refusal;

ResultTarget descriptorTarget(const std::string& given, int descriptor) {
  const int flags = ::fcntl(descriptor, F_GETFL);
  if (flags < 0) throw RunError::refused(given, Refusal::DescriptorNotWritable, EBADF);
  const int access = flags & O_ACCMODE;
  if (access != O_WRONLY && access != O_RDWR) {
    throw RunError::refused(given, Refusal::DescriptorNotWritable, EBADF);
  }
  ResultTarget target;
  target.type = ResultTarget::Type::Descriptor;
  target.path = given;
  target.descriptor = descriptor;
  return target;
}

// A name that does not exist yet must be one the folder can hold.
ResultTarget newFileTarget(const std::string& path) {
  const std::string name = nameOf(path);
  if (path.empty()) throwSystemError(ENOENT);
  if (name.empty() || name == "." || name == "..") throwSystemError(EISDIR);
  const long nameMax = ::pathconf(folderOf(path).c_str(), _PC_NAME_MAX);
  if (nameMax > 0 && name.size() > static_cast<std::size_t>(nameMax))
    throwSystemError(ENAMETOOLONG);
  ResultTarget target;
  target.type = ResultTarget::Type::NewFile;
  target.path = path;
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
      throw RunError::refused(given, Refusal::Folder, EISDIR);
    case S_IFBLK:
      throw RunError::refused(given, Refusal::BlockDevice);
    case S_IFSOCK:
      throw RunError::refused(given, Refusal::Socket);
    default:
      throw RunError::refused(given, Refusal::UnknownType);
  }
}

}  // namespace

ResultTarget classifyTarget(const std::string& path) {
  const LinkChainEnd end = followLinkChain(path);
  if (end.untrusted) throw RunError::refused(path, Refusal::UntrustedLink, EACCES);
  if (end.descriptor) return descriptorTarget(path, *end.descriptor);
  ResultTarget target;
  if (::stat(end.path.c_str(), &target.info) != 0) {
    if (errno != ENOENT) throwSystemError(errno);
    return newFileTarget(end.path);
  }
  target.type = typeOf(path, target.info.st_mode);
  target.path = end.path;
  return target;
}

}  // namespace zembra
