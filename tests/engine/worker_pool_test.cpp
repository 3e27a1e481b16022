// The pool under a system that grants fewer threads than asked, and the
// thread count a user can set.
#include "engine/worker_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>

#include "tests/engine/counting_starter.h"

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

TEST(WorkerPool, zembra_threads_sets_the_default_size_when_it_is_a_positive_number) {
  ::unsetenv("ZEMBRA_THREADS");
  const int processors = WorkerPool::defaultSize();
  EXPECT_GE(processors, 1);
  for (const int threads : {1, 3}) {
    ::setenv("ZEMBRA_THREADS", std::to_string(threads).c_str(), 1);
    EXPECT_EQ(WorkerPool::defaultSize(), threads);
  }
  for (const char* ignored : {"0", "-2", "two", "7x", ""}) {
    ::setenv("ZEMBRA_THREADS", ignored, 1);
    EXPECT_EQ(WorkerPool::defaultSize(), processors) << '"' << ignored << '"';
  }
  ::unsetenv("ZEMBRA_THREADS");  // the later tests take the processors' count
}

}  // namespace
}  // namespace zembra
