// Interrupting a run leaves no temporary file behind, whichever of SIGINT,
// SIGTERM and SIGHUP arrives and on whichever thread; the next run sweeps what
// a harder end left, and nothing else.
#include <gtest/gtest.h>
#include <sys/file.h>

#include <csignal>
#include <cstdlib>
#include <thread>

#include "engine/pi_digits.h"
#include "engine/signal_cleanup.h"
#include "engine/temporary_file.h"
#include "tests/engine/target_test_support.h"

namespace zembra::test {
namespace {

// Named: the temporary file has a name from the start (no O_TMPFILE).
TEST(InterruptedRun, leaves_the_earlier_file_and_nothing_else_whichever_signal_ends_it) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    for (const bool named : {true, false}) {
      SCOPED_TRACE(std::string(sigabbrev_np(signal)) + (named ? " named" : " unnamed"));
      TempFolder folder;
      const std::string path = folder.file("pi.txt");
      writeBytes(path, "old\n");
      int ready[2];
      ASSERT_EQ(::pipe(ready), 0);
      std::fflush(nullptr);  // the child must not write our buffered output again
      const pid_t child = ::fork();
      if (child == 0) {
        ResultFileOptions options;
        options.allowUnnamed = !named;
        ResultFile file(path, options);
        file.writeLine("new");
        ::write(ready[1], "r", 1);
        for (;;) computePiDigits(100000);
      }
      ::close(ready[1]);
      char byte = 0;
      EXPECT_EQ(::read(ready[0], &byte, 1), 1) << "the child is ready";
      ::close(ready[0]);
      if (named) {
        EXPECT_EQ(folder.entryCount(), 2u) << "the temporary file is there";
      }
      ::usleep(100 * 1000);  // well into the computation
      ::kill(child, signal);
      EXPECT_EQ(endOf(child), "signal " + std::to_string(signal));
      EXPECT_EQ(listing(folder.path()), std::set<std::string>{"pi.txt"});
      EXPECT_EQ(readBytes(path), "old\n");
    }
  }
}

// Set in a copy of this program started with SIGHUP ignored, as under nohup.
const char* const kUnderNohup = "ZEMBRA_TEST_UNDER_NOHUP";

// Else the signals start at their defaults, even in a background job.
[[maybe_unused]] const bool kSignalsAtDefault = [] {
  if (!std::getenv(kUnderNohup)) {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGHUP, SIG_DFL);
  }
  return true;
}();

ssize_t writeAfterHangup(int fd, const void* data, size_t size) {
  ::raise(SIGHUP);  // the terminal closes while the file is written
  return ::write(fd, data, size);
}

// Checked in a fresh copy of the program, where the handlers are installed with
// SIGHUP ignored: the run goes on and its result is put in place.
TEST(InterruptedRun, a_signal_the_program_ignores_stays_ignored) {
  if (std::getenv(kUnderNohup)) {
    TempFolder folder;
    ResultFileOptions options;
    options.allowUnnamed = false;
    options.write = &writeAfterHangup;
    EXPECT_EQ(writeLines(folder.file("pi.txt"), options), "done");
    EXPECT_EQ(listing(folder.path()), std::set<std::string>{"pi.txt"});
    return;
  }
  std::fflush(nullptr);  // the child must not write our buffered output again
  const pid_t child = ::fork();
  if (child == 0) {
    std::signal(SIGHUP, SIG_IGN);
    ::setenv(kUnderNohup, "1", 1);
    ::execl("/proc/self/exe", "engine_tests",
            "--gtest_filter=InterruptedRun.a_signal_the_program_ignores_stays_ignored", nullptr);
    ::_exit(127);
  }
  EXPECT_EQ(endOf(child), "exit 0") << "the copy started under nohup failed";
}

void pauseForever() {
  for (;;) ::pause();
}

// Whether the signal comes to the deferring thread or to another one.
TEST(DeferredSignals, hold_a_signal_until_the_guard_ends) {
  for (const bool otherThread : {false, true}) {
    TempFolder folder;
    const std::string end = inChild(false, [&] {
      if (otherThread) std::thread(pauseForever).detach();  // the signal not blocked there
      {
        signal_cleanup::DeferredSignals wait;
        ::kill(::getpid(), SIGTERM);
        ::usleep(50 * 1000);  // time for it to arrive anywhere
        writeBytes(folder.file("told"), "still here");
      }
      return std::string("not ended by the signal");
    });
    EXPECT_EQ(readBytes(folder.file("told")), "still here") << "other thread: " << otherThread;
    EXPECT_EQ(end, "signal " + std::to_string(SIGTERM)) << "other thread: " << otherThread;
  }
}

TEST(StaleTemporaries, only_unlocked_own_files_with_the_prefix_are_swept) {
  TempFolder folder;
  const std::string prefix = kTemporaryPrefix;
  for (const std::string& name :
       {prefix + "stale1", prefix + "held", prefix + "other", std::string(".pi.txt.a1b2c3"),
        std::string("zembra32-x"), std::string("pi.txt")}) {
    writeBytes(folder.file(name), "x");
  }
  std::filesystem::create_directory(folder.file(prefix + "dir"));
  std::filesystem::create_symlink("pi.txt", folder.file(prefix + "link"));
  const int held = ::open(folder.file(prefix + "held").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);  // a run still writing it
  const bool givenAway =
      ::geteuid() == 0 && ::chown(folder.file(prefix + "other").c_str(), kNobody, kNobody) == 0;

  EXPECT_EQ(writeLines(folder.file("pi.txt")), "done");
  std::set<std::string> expected = {prefix + "held", ".pi.txt.a1b2c3", "zembra32-x",
                                    "pi.txt",        prefix + "dir/",  prefix + "link@"};
  if (givenAway) expected.insert(prefix + "other");  // else it was our own: swept
  EXPECT_EQ(listing(folder.path()), expected);
  ::close(held);
  if (!givenAway) GTEST_SKIP() << "another user's file: needs root to make one";
}

}  // namespace
}  // namespace zembra::test
