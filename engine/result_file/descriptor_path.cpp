#include "engine/result_file/descriptor_path.h"

#include <unistd.h>

#include <charconv>
#include <filesystem>

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

}  // namespace

std::optional<int> descriptorNamedBy(const std::string& path) {
  const std::filesystem::path normal = std::filesystem::path(path).lexically_normal();
  const std::string text = normal.string();
  if (text == "/dev/stdin") return 0;
  if (text == "/dev/stdout") return 1;
  if (text == "/dev/stderr") return 2;
  if (!isDescriptorFolder(normal.parent_path().string())) return std::nullopt;
  return descriptorNumber(normal.filename().string());
}

}  // namespace zembra
