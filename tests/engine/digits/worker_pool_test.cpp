// The pool under a system that grants fewer threads than asked.
#include "engine/digits/worker_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>

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

}  // namespace
}  // namespace zembra
