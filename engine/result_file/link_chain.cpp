#include "engine/result_file/link_chain.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <vector>

#include "engine/result_file/descriptor_path.h"
#include "engine/result_file/path_parts.h"
#include "engine/result_file/system_call.h"

namespace zembra {
namespace {

constexpr int kMaxHops = 40;  // the kernel's limit

std::string readLink(const std::string& path) {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length = checked(::readlink(path.c_str(), buffer.data(), buffer.size()));
    if (static_cast<std::size_t>(length) < buffer.size()) return {buffer.data(), std::size_t(length)};
    buffer.resize(buffer.size() * 2);
  }
}

// Where a link's text points: absolute as written, relative from the link's folder.
std::string linkDestination(const std::string& linkPath, const std::string& text) {
  if (!text.empty() && text.front() == '/') return text;
  const std::filesystem::path folder = std::filesystem::path(linkPath).parent_path();
  return folder.empty() ? text : (folder / text).string();
}

}  // namespace

bool isUntrustedLink(const std::string& linkPath, unsigned linkOwner) {
  if (linkOwner == ::geteuid()) return false;
  const std::string folder = folderOf(linkPath);
  struct stat folderInfo {};
  if (::stat(folder.c_str(), &folderInfo) != 0) return false;  // the kernel decides then
  const mode_t shared = S_ISVTX | S_IWOTH;
  if ((folderInfo.st_mode & shared) != shared) return false;
  return folderInfo.st_uid != linkOwner;
}

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

}  // namespace zembra
