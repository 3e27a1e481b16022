// Interrupting a run leaves no temporary file behind, whichever of SIGINT,
// SIGTERM and SIGHUP arrives and on whichever thread; the next run sweeps what
// a harder end left, and nothing else.
#include <gtest/gtest.h>
#include <sys/file.h>

#include <csignal>
#include <cstdio>
#include <thread>

#include "engine/pi_digits.h"
#include "engine/signal_cleanup.h"
#include "engine/temporary_file.h"
#include "tests/engine/target_test_support.h"

namespace zembra::test {
namespace {

// Forks a child that runs `body` after telling the parent it is ready, and
// returns the child's pid once it is; `body` never returns on its own.
pid_t startChild(const std::function<void()>& body, const std::function<void()>& beforeReady = {}) {
  int ready[2];
  if (::pipe(ready) != 0) return -1;
  std::fflush(nullptr);  // the child must not write our buffered output again
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(ready[0]);
    if (beforeReady) beforeReady();
    ::write(ready[1], "r", 1);
    body();
    ::_exit(0);
  }
  ::close(ready[1]);
  char byte = 0;
  ::read(ready[0], &byte, 1);
  ::close(ready[0]);
  return byte == 'r' ? child : -1;
}

// What ended the child: "signal N", "exit N".
std::string endOf(pid_t child) {
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFSIGNALED(status)) return "signal " + std::to_string(WTERMSIG(status));
  return "exit " + std::to_string(WEXITSTATUS(status));
}

void computeForever() {
  for (;;) computePiDigits(100000);
}

struct SignalCase {
  int signal;
  bool named;  // the temporary file has a name from the start (no O_TMPFILE)
};

class InterruptedRun : public testing::TestWithParam<SignalCase> {};

TEST_P(InterruptedRun, leaves_the_earlier_file_and_nothing_else) {
  const auto [signal, named] = GetParam();
  TempFolder folder;
  const std::string path = folder.file("pi.txt");
  writeBytes(path, "old\n");
  std::optional<ResultFile> file;  // in the child only
  const pid_t child = startChild(computeForever, [&] {
    ResultFileOptions options;
    options.allowUnnamed = !named;
    file.emplace(path, options);
    file->writeLine("new");
  });
  ASSERT_GT(child, 0);
  if (named) {
    EXPECT_EQ(folder.entryCount(), 2u) << "the temporary file is there";
  }
  ::usleep(100 * 1000);  // well into the computation
  ::kill(child, signal);
  EXPECT_EQ(endOf(child), "signal " + std::to_string(signal));
  EXPECT_EQ(listing(folder.path()), std::set<std::string>{"pi.txt"});
  EXPECT_EQ(readBytes(path), "old\n");
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptedRun,
                         testing::Values(SignalCase{SIGINT, true}, SignalCase{SIGTERM, true},
                                         SignalCase{SIGHUP, true}, SignalCase{SIGINT, false},
                                         SignalCase{SIGTERM, false}, SignalCase{SIGHUP, false}),
                         [](const testing::TestParamInfo<SignalCase>& info) {
                           return std::string(sigabbrev_np(info.param.signal)) +
                                  (info.param.named ? "_named" : "_unnamed");
                         });

TEST(InterruptedRun, a_signal_the_program_ignores_stays_ignored) {
  TempFolder folder;
  std::optional<ResultFile> file;
  const pid_t child = startChild(computeForever, [&] {
    std::signal(SIGHUP, SIG_IGN);  // as under nohup
    ResultFileOptions options;
    options.allowUnnamed = false;
    file.emplace(folder.file("pi.txt"), options);
  });
  ASSERT_GT(child, 0);
  ::kill(child, SIGHUP);
  ::usleep(100 * 1000);
  ::kill(child, SIGTERM);
  EXPECT_EQ(endOf(child), "signal " + std::to_string(SIGTERM)) << "SIGHUP did not end it";
  EXPECT_EQ(folder.entryCount(), 0u);
}

// A signal that comes while signals are deferred takes effect only after,
// whether it comes to the deferring thread or to another one.
TEST(DeferredSignals, hold_a_signal_until_the_guard_ends) {
  for (const bool otherThread : {false, true}) {
    int told[2];
    ASSERT_EQ(::pipe(told), 0);
    std::fflush(nullptr);  // the child must not write our buffered output again
  const pid_t child = ::fork();
    if (child == 0) {
      std::thread idle;  // a thread that does not block the signal
      if (otherThread) idle = std::thread([] { for (;;) ::pause(); });
      {
        signal_cleanup::DeferredSignals wait;
        ::kill(::getpid(), SIGTERM);
        ::usleep(50 * 1000);  // time for it to arrive anywhere
        ::write(told[1], "still here", 10);
      }
      ::write(told[1], " after", 6);
      ::_exit(0);
    }
    ::close(told[1]);
    char buffer[32] = {};
    std::string heard;
    for (ssize_t n; (n = ::read(told[0], buffer, sizeof buffer)) > 0;) heard.append(buffer, std::size_t(n));
    ::close(told[0]);
    EXPECT_EQ(heard, "still here") << "other thread: " << otherThread;
    EXPECT_EQ(endOf(child), "signal " + std::to_string(SIGTERM));
  }
}

TEST(StaleTemporaries, only_unlocked_own_files_with_the_prefix_are_swept) {
  TempFolder folder;
  const std::string prefix = kTemporaryPrefix;
  for (const std::string& name : {prefix + "stale1", prefix + "held", prefix + "other",
                                  std::string(".pi.txt.a1b2c3"), std::string("zembra32-x"),
                                  std::string("pi.txt")}) {
    writeBytes(folder.file(name), "x");
  }
  std::filesystem::create_directory(folder.file(prefix + "dir"));
  std::filesystem::create_symlink("pi.txt", folder.file(prefix + "link"));
  const int held = ::open(folder.file(prefix + "held").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);  // a run still writing it
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(folder.file(prefix + "other").c_str(), kNobody, kNobody), 0);
  }

  EXPECT_EQ(writeNew(folder.file("pi.txt")), "written");
  std::set<std::string> expected = {prefix + "held", prefix + "other", ".pi.txt.a1b2c3",
                                    "zembra32-x", "pi.txt", prefix + "dir", prefix + "link"};
  if (!root) expected.erase(prefix + "other");  // could not be given away: it was our own
  EXPECT_EQ(listing(folder.path()), expected);
  ::close(held);
  if (!root) GTEST_SKIP() << "another user's file: needs root to make one";
}

}  // namespace
}  // namespace zembra::test
