#pragma once

#include <fcntl.h>
#include <grp.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "engine/result_file.h"
#include "engine/run_error.h"
#include "tests/engine/temp_folder.h"

// Helpers for the result file's target tests: what a write comes to, in a
// child process as another user if need be, and what a folder holds.

namespace zembra::test {

inline constexpr uid_t kNobody = 65534;
inline const std::string kWrittenBytes = "\"new\"\r\n";  // what writeNew() writes

inline std::string refusalName(RunError::Refusal refusal) {
  switch (refusal) {
    case RunError::Refusal::None: return "none";
    case RunError::Refusal::Folder: return "folder";
    case RunError::Refusal::BlockDevice: return "block device";
    case RunError::Refusal::Socket: return "socket";
    case RunError::Refusal::UnknownType: return "unknown type";
    case RunError::Refusal::DescriptorNotWritable: return "descriptor not writable";
    case RunError::Refusal::NoPipeReader: return "no pipe reader";
    case RunError::Refusal::AppendOnlyOrImmutable: return "append-only or immutable";
    case RunError::Refusal::UntrustedLink: return "untrusted link";
  }
  return "?";
}

// "refused: socket", or the system's reason.
inline std::string describeFailure(const RunError& error) {
  if (error.kind() == RunError::Kind::TargetRefused) return "refused: " + refusalName(error.refusal());
  return error.reason();
}

// Writes one line "new" to `path` and commits. "written", or where and why
// it failed: "at open: …" (before any computation would start) or "at
// commit: …".
inline std::string writeNew(const std::string& path, ResultFileOptions options = {}) {
  std::optional<ResultFile> file;
  try {
    file.emplace(path, std::move(options));
  } catch (const RunError& error) {
    return "at open: " + describeFailure(error);
  }
  try {
    file->writeLine("new");
    file->commit();
  } catch (const RunError& error) {
    return "at commit: " + describeFailure(error);
  }
  return "written";
}

// Runs `action` in a forked child, as user nobody when `asNobody`, and
// returns the text it returned ("child failed" if it did not finish).
inline std::string inChild(bool asNobody, const std::function<std::string()>& action) {
  int channel[2];
  if (::pipe(channel) != 0) return "no pipe";
  std::fflush(nullptr);  // the child must not write our buffered output again
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    if (asNobody && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
      ::_exit(90);
    }
    const std::string result = action();
    const bool sent = ::write(channel[1], result.data(), result.size()) == ssize_t(result.size());
    ::_exit(sent ? 0 : 91);
  }
  ::close(channel[1]);
  std::string result;
  char buffer[256];
  for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) result.append(buffer, std::size_t(n));
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? result : "child failed";
}

// Every name under `folder`, relative to it, without following links.
inline std::set<std::string> listing(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    names.insert(entry.path().lexically_relative(folder).string());
  }
  return names;
}

inline struct stat statOf(const std::string& path) {
  struct stat info {};
  ::lstat(path.c_str(), &info);
  return info;
}

// Sets or clears file flags (FS_APPEND_FL, FS_IMMUTABLE_FL); false where the
// file system or the process cannot.
inline bool setFileFlags(const std::string& path, int flags, bool on) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  int current = 0;
  bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &current) == 0;
  current = on ? (current | flags) : (current & ~flags);
  done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &current) == 0;
  ::close(fd);
  return done;
}

}  // namespace zembra::test
