#pragma once

// Writing a result file in tests, and what it comes to.

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "engine/result_file/result_file.h"
#include "engine/run_error.h"

namespace zembra::test {

inline const std::string kWrittenBytes = "\"new\"\r\n";  // what writeLines() writes by default

// "done", or what the user is told less the path: "cannot create/write: …" or "refused: …".
inline std::string outcomeOf(const std::function<void()>& action) {
  // The refusals' names, in the order of RunError::Refusal.
  static const char* const kRefusals[] = {"none",           "folder",
                                          "block device",   "socket",
                                          "unknown type",   "descriptor not writable",
                                          "no pipe reader", "append-only or immutable",
                                          "untrusted link", "file size limit"};
  try {
    action();
  } catch (const RunError& error) {
    if (error.kind() == RunError::Kind::FileOpen) return "cannot create: " + error.reason();
    if (error.kind() == RunError::Kind::FileOpenForWriting) {
      return "cannot open for writing: " + error.reason();
    }
    if (error.kind() == RunError::Kind::FileWrite) return "cannot write: " + error.reason();
    if (error.kind() == RunError::Kind::FileBusy) return "busy";
    if (error.kind() != RunError::Kind::TargetRefused) return error.what();
    return std::string("refused: ") + kRefusals[int(error.refusal())];
  }
  return "done";
}

// Writes `count` lines and commits: "done", or what the user is told.
inline std::string writeLines(const std::string& path, ResultFileOptions options = {},
                              int count = 1, const std::string& line = "new") {
  return outcomeOf([&] {
    ResultFile file(path, std::move(options));
    for (int i = 0; i < count; ++i) file.writeLine(line);
    file.commit();
  });
}

inline struct stat statOf(const std::string& path) {
  struct stat info {};
  ::lstat(path.c_str(), &info);
  return info;
}

// Every name under `folder`, marked "/" folder, "@" link, "|" pipe, "=" socket, "#" device.
inline std::set<std::string> listing(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const mode_t type = statOf(entry.path()).st_mode & S_IFMT;
    const std::map<mode_t, const char*> marks = {
        {S_IFREG, ""}, {S_IFDIR, "/"}, {S_IFLNK, "@"}, {S_IFIFO, "|"}, {S_IFSOCK, "="}};
    const char* mark = marks.count(type) ? marks.at(type) : "#";
    names.insert(entry.path().lexically_relative(folder).string() + mark);
  }
  return names;
}

}  // namespace zembra::test
