#pragma once

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "engine/result_file.h"
#include "engine/run_error.h"
#include "tests/engine/temp_folder.h"

// Helpers for the result file tests: what a write comes to, in a child
// process as another user if need be, and what a folder holds.

namespace zembra::test {

inline constexpr uid_t kNobody = 65534;
inline const std::string kWrittenBytes = "\"new\"\r\n";  // what writeLines() writes by default

// What the user is told, less the path: "cannot create: …" or "refused: …"
// when the file is opened (before computing), "cannot write: …" after.
inline std::string describeFailure(const RunError& error) {
  // The refusals' names, in the order of RunError::Refusal.
  static const char* const kRefusals[] = {"none",           "folder",
                                          "block device",   "socket",
                                          "unknown type",   "descriptor not writable",
                                          "no pipe reader", "append-only or immutable",
                                          "untrusted link"};
  if (error.kind() == RunError::Kind::FileOpen) return "cannot create: " + error.reason();
  if (error.kind() == RunError::Kind::FileWrite) return "cannot write: " + error.reason();
  if (error.kind() != RunError::Kind::TargetRefused) return error.what();
  return std::string("refused: ") + kRefusals[int(error.refusal())];
}

// "done", or what the user is told when `action` fails.
inline std::string outcomeOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const RunError& error) {
    return describeFailure(error);
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

// How the child `child` ended: "exit N" or "signal N".
inline std::string endOf(pid_t child) {
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFSIGNALED(status)) return "signal " + std::to_string(WTERMSIG(status));
  return "exit " + std::to_string(WEXITSTATUS(status));
}

// Everything readable from `fd` until every writer has closed it; closes it.
inline std::string readToEnd(int fd) {
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  ::close(fd);
  return text;
}

// Runs `action` in a forked child, as user nobody when `asNobody`, and
// returns the text it returned, or how the child ended if it did not return.
inline std::string inChild(bool asNobody, const std::function<std::string()>& action) {
  int channel[2];
  if (::pipe(channel) != 0) return "no pipe";
  std::fflush(nullptr);  // the child must not write our buffered output again
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    if (asNobody &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
      ::_exit(90);
    }
    const std::string result = action();
    ::_exit(::write(channel[1], result.data(), result.size()) == ssize_t(result.size()) ? 0 : 91);
  }
  ::close(channel[1]);
  const std::string result = readToEnd(channel[0]);
  const std::string end = endOf(child);
  return end == "exit 0" ? result : end;
}

inline struct stat statOf(const std::string& path) {
  struct stat info {};
  ::lstat(path.c_str(), &info);
  return info;
}

// Every name under `folder`, relative to it, without following links, marked
// by type: "d/" folder, "l@" link, "p|" pipe, "s=" socket, "n#" device.
inline std::set<std::string> listing(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const mode_t type = statOf(entry.path()).st_mode & S_IFMT;
    const char* mark = type == S_IFREG    ? ""
                       : type == S_IFDIR  ? "/"
                       : type == S_IFLNK  ? "@"
                       : type == S_IFIFO  ? "|"
                       : type == S_IFSOCK ? "="
                                          : "#";
    names.insert(entry.path().lexically_relative(folder).string() + mark);
  }
  return names;
}

}  // namespace zembra::test
