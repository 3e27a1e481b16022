// The pool under a system that grants fewer threads than asked, and the
// thread count a user can set.
#include "engine/digits/worker_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <tuple>

#include "engine/environment_notes.h"
#include "tests/engine/digits/counting_starter.h"

namespace zembra {
namespace {

TEST(WorkerPool, a_refused_thread_start_leaves_a_smaller_pool_that_still_runs_every_part) {
  for (int allowed : {0, 1, 3}) {
    for (bool outOfMemory : {false, true}) {
      SCOPED_TRACE(testing::Message() << allowed << " granted, bad_alloc " << outOfMemory);
      CountingStarter counting{allowed, outOfMemory};
      WorkerPool pool(8, counting.starter());
      EXPECT_EQ(pool.size(), allowed + 1);
      std::atomic<int> ranMask = 0;
      for (int round = 0; round < 3; ++round) {
        pool.run([&](int index) { ranMask |= 1 << index; });
      }
      EXPECT_EQ(ranMask.load(), (1 << (allowed + 1)) - 1);
    }  // the destructor joins the threads that did start
  }
}

// ZEMBRA_THREADS as written, on 4 processors: the threads a run uses, and what it is told.
TEST(ThreadCount, a_positive_whole_number_up_to_the_processors_is_taken_and_anything_else_said) {
  const std::string notNumber =
      " is not a positive whole number; using 4 threads, one per processor";
  const std::string tooMany =
      " is more than the 4 processors this program may run on; using 4 threads";
  const std::tuple<const char*, int, std::string> cases[] = {
      {nullptr, 4, ""},      {"", 4, ""},
      {"1", 1, ""},          {"4", 4, ""},
      {"04", 4, ""},         {"5", 4, tooMany},
      {"99999", 4, tooMany}, {"99999999999999999999", 4, tooMany},
      {"0", 4, notNumber},   {"-2", 4, notNumber},
      {"two", 4, notNumber}, {"7x", 4, notNumber},
      {" 3", 4, notNumber},  {"+3", 4, notNumber},
      {"2.5", 4, notNumber}, {"-99999999999999999999", 4, notNumber},
  };
  for (const auto& [asked, threads, note] : cases) {
    const ThreadCount count = chooseThreadCount(asked, 4);
    EXPECT_EQ(count.threads, threads) << (asked ? asked : "unset");
    EXPECT_EQ(threadCountNote(asked, count),
              note.empty() ? "" : "ZEMBRA_THREADS=" + std::string(asked) + note);
  }
  EXPECT_EQ(
      threadCountNote("2", chooseThreadCount("2", 1)),
      "ZEMBRA_THREADS=2 is more than the 1 processor this program may run on; using 1 thread");
  // The variable is read at every run.
  ::setenv("ZEMBRA_THREADS", "1", 1);
  EXPECT_EQ(WorkerPool::defaultSize(), 1);
  ::unsetenv("ZEMBRA_THREADS");  // the later tests take the processors' count
  EXPECT_GE(WorkerPool::defaultSize(), 1);
}

}  // namespace
}  // namespace zembra
