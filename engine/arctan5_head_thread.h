#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

#include "engine/arctan5_head.h"
#include "engine/worker_pool.h"

namespace zembra {

// computeArctan5Head on a thread of its own, so that its big steps (tens of
// milliseconds each) never hold up the thread that lets the window in. The
// thread works on copies and on this object's members only; the destructor
// asks it to stop and joins it, which takes at most one big step.
class Arctan5HeadThread {
 public:
  // Starts the thread through `start`, and throws what `start` throws.
  Arctan5HeadThread(long terms, long shownLimbs, long last, const ThreadStarter& start);
  ~Arctan5HeadThread();
  Arctan5HeadThread(const Arctan5HeadThread&) = delete;
  Arctan5HeadThread& operator=(const Arctan5HeadThread&) = delete;

  // Whether the head is computed (or has failed); never blocks.
  bool done() const { return done_.load(std::memory_order_acquire); }
  // Waits until done, for at most `timeout`; returns done().
  bool waitFor(std::chrono::microseconds timeout);
  // The head, once done; rethrows what the computation threw.
  Arctan5Head take();

 private:
  void compute(long terms, long shownLimbs, long last);

  std::atomic<bool> stop_{false};
  std::atomic<bool> done_{false};
  std::mutex mutex_;
  std::condition_variable finished_;
  std::optional<Arctan5Head> head_;
  std::exception_ptr failure_;
  std::jthread thread_;  // last: joined before the members above go
};

}  // namespace zembra
