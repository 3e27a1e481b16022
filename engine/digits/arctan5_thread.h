#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

#include "engine/digits/kernel/kernel.h"
#include "engine/digits/machin_series.h"
#include "engine/digits/worker_pool.h"

namespace zembra {

// The arctan(1/5) series on a thread of its own, silently: its head summed
// exactly with GMP (arctan5_head.h), whose big steps take tens of
// milliseconds each and so must not run on the thread that lets the window
// in, then the remaining terms with the kernel on this thread alone, from the
// head's power. Meanwhile the calling thread runs arctan(1/239); each series
// keeps its arrays in its own core's cache.
//
// The thread works on copies and on this object's members only; the
// destructor asks it to stop and joins it, which takes at most one big step
// or one round of the kernel.
class Arctan5Thread {
 public:
  // Starts the thread through `start`, and throws what `start` throws. The
  // head takes the terms arctan5HeadTerms(plan.shownTerms, shownLimbs), at
  // least one.
  Arctan5Thread(const SeriesPlan& plan, long shownLimbs, long last, const kernel::Kernel& kernel,
                const ThreadStarter& start);
  ~Arctan5Thread();
  Arctan5Thread(const Arctan5Thread&) = delete;
  Arctan5Thread& operator=(const Arctan5Thread&) = delete;

  // Whether the series is summed (or has failed); never blocks.
  bool done() const { return done_.load(std::memory_order_acquire); }
  // Waits until done, for at most `timeout`; returns done().
  bool waitFor(std::chrono::microseconds timeout);
  // The series' columns, once done; rethrows what the computation threw.
  SeriesColumns take();

 private:
  void compute(const SeriesPlan& plan, long shownLimbs, long last, const kernel::Kernel& kernel);

  std::atomic<bool> stop_{false};
  std::atomic<bool> done_{false};
  std::mutex mutex_;
  std::condition_variable finished_;
  std::optional<SeriesColumns> columns_;
  std::exception_ptr failure_;
  std::jthread thread_;  // last: joined before the members above go
};

}  // namespace zembra
