#pragma once

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

}  // namespace zembra
