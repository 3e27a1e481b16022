#pragma once

// Forked children for tests that need an ordinary user or a process of their own.

#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

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

// Runs `action` in a forked child, as nobody if asked (which needs root): what it returned, or
// how the child ended.
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

// Tests that need an ordinary user, one whom permissions bind, run as user nobody when the tests
// run as root (root passes every permission check), else as the current user.
inline bool runningAsRoot() { return ::geteuid() == 0; }
inline uid_t ordinaryUser() { return runningAsRoot() ? kNobody : ::geteuid(); }
inline std::string asOrdinaryUser(const std::function<std::string()>& action) {
  return inChild(runningAsRoot(), action);
}

struct ProgramResult {
  int status = -1;  // the exit status, or 128 + the signal that ended it
  std::string out, err;
};

// Runs `command` (the program first) with the variables `environment`
// ("NAME=value") added, `inChild` done in the child first. A program still
// running after `limit` is killed (a window runs until it is closed).
inline ProgramResult runProgram(const std::vector<std::string>& command,
                                const std::vector<std::string>& environment,
                                std::chrono::milliseconds limit = std::chrono::seconds(60),
                                const std::function<void()>& inChild = {}) {
  int out[2], err[2];
  if (::pipe(out) != 0 || ::pipe(err) != 0) return {};
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(out[1], 1);
    ::dup2(err[1], 2);
    for (int fd : {out[0], out[1], err[0], err[1]}) ::close(fd);
    for (const std::string& assignment : environment)
      ::putenv(const_cast<char*>(assignment.c_str()));
    if (inChild) inChild();
    std::vector<char*> argv;
    for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err[1]);
  ProgramResult result;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  pollfd reading[] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string* texts[] = {&result.out, &result.err};
  for (int open = 2; open > 0;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || ::poll(reading, 2, static_cast<int>(left.count())) <= 0) break;
    for (int i = 0; i < 2; ++i) {
      if (reading[i].fd < 0 || reading[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t n = ::read(reading[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        texts[i]->append(buffer, static_cast<std::size_t>(n));
      } else {
        ::close(reading[i].fd);
        reading[i].fd = -1;
        --open;
      }
    }
  }
  ::kill(child, SIGKILL);
  for (const pollfd& pipe : reading) {
    if (pipe.fd >= 0) ::close(pipe.fd);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  result.status = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
  return result;
}

}  // namespace zembra::test
