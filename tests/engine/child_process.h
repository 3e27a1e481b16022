#pragma once

// Forked children for tests that need an ordinary user or a process of their own.

#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
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

// Everything in `file` from its start (a temporary file written to); closes it.
inline std::string contentsOf(std::FILE* file) {
  std::fflush(file);
  std::rewind(file);
  const std::string text = readToEnd(::dup(::fileno(file)));
  std::fclose(file);
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
inline std::string asOrdinaryUser(const std::function<std::string()>& action) {
  return inChild(runningAsRoot(), action);
}

struct ProgramResult {
  int status = -1;  // the exit status, or 128 + the signal that ended it
  std::string out, err;
};

// Runs `command` (the program first) with the variables `environment` ("NAME=value") added,
// `inChild` done in the child first, its output caught in temporary files. A program still
// running after `limit` is killed (a window runs until it is closed).
inline ProgramResult runProgram(const std::vector<std::string>& command,
                                const std::vector<std::string>& environment,
                                std::chrono::milliseconds limit = std::chrono::seconds(60),
                                const std::function<void()>& inChild = {}) {
  std::FILE *out = std::tmpfile(), *err = std::tmpfile();
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(::fileno(out), 1);
    ::dup2(::fileno(err), 2);
    for (const std::string& assignment : environment)
      ::putenv(const_cast<char*>(assignment.c_str()));
    if (inChild) inChild();
    std::vector<char*> argv;
    for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  for (const auto end = std::chrono::steady_clock::now() + limit;
       ::waitpid(child, &status, WNOHANG) == 0;) {
    if (std::chrono::steady_clock::now() > end) ::kill(child, SIGKILL);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  const int end = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
  return {end, contentsOf(out), contentsOf(err)};
}

}  // namespace zembra::test
