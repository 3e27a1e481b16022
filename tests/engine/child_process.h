#pragma once

// Forked children for tests that need an ordinary user or a process of their own.

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>

namespace zembra::test {

inline constexpr uid_t kNobody = 65534;

// Everything readable from `fd` until every writer has closed it; closes it.
inline std::string readToEnd(int fd) {
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  ::close(fd);
  return text;
}

// Runs `action` in a forked child, as nobody if asked: what it returned, or how the child ended.
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
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFSIGNALED(status)) return "signal " + std::to_string(WTERMSIG(status));
  return WEXITSTATUS(status) == 0 ? result : "exit " + std::to_string(WEXITSTATUS(status));
}

}  // namespace zembra::test
