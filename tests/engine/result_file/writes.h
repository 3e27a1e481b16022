#pragma once

// Writing a result file in tests, and what it comes to.

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "engine/computation_run.h"
#include "engine/error.h"
#include "engine/result_file/result_file.h"
#include "tests/engine/recorder_view.h"

namespace zembra::test {

// What writeLines() writes: each line quoted and ended by CR LF.
inline std::string written(int count = 1, const std::string& line = "new") {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes.append("\"").append(line).append("\"\r\n");
  return bytes;
}

// "done", or what the user is told less the path: "cannot create/write: …" or "refused: …".
inline std::string outcomeOf(const std::function<void()>& action) {
  // The refusals' names, in the order of Error::Refusal.
  static const char* const kRefusals[] = {"none",           "folder",
                                          "block device",   "socket",
                                          "unknown type",   "descriptor not writable",
                                          "no pipe reader", "append-only or immutable",
                                          "untrusted link", "file size limit"};
  try {
    action();
  } catch (const Error& error) {
    if (error.kind() == Error::Kind::FileOpen) return "cannot create: " + error.reason();
    if (error.kind() == Error::Kind::FileOpenForWriting) {
      return "cannot open for writing: " + error.reason();
    }
    if (error.kind() == Error::Kind::FileWrite) return "cannot write: " + error.reason();
    if (error.kind() == Error::Kind::FileBusy) return "busy";
    if (error.kind() != Error::Kind::TargetRefused) return error.what();
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

// What a window's run of `count` digits into `path` comes to, with ", computed" when it got as
// far as computing (read the clock): a refusal must come before.
inline std::string runOutcome(const std::string& path, const std::string& count = "100") {
  RecorderView view;
  const RunSettings settings{.counterStep = 9999};
  const std::string told =
      outcomeOf([&] { runComputation(view.request(count, &settings, path), view); });
  return view.clockReadings == 0 ? told : told + ", computed";
}

inline struct stat statOf(const std::string& path) {
  struct stat info {};
  ::lstat(path.c_str(), &info);
  return info;
}

// Every name under `folder`, marked "/" folder, "@" link, "|" pipe, "=" socket, "#" device.
inline std::set<std::string> listing(const std::filesystem::path& folder) {
  const std::map<mode_t, const char*> marks = {
      {S_IFREG, ""}, {S_IFDIR, "/"}, {S_IFLNK, "@"}, {S_IFIFO, "|"}, {S_IFSOCK, "="}};
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const auto mark = marks.find(statOf(entry.path()).st_mode & S_IFMT);
    names.insert(entry.path().lexically_relative(folder).string() +
                 (mark == marks.end() ? "#" : mark->second));
  }
  return names;
}

}  // namespace zembra::test
