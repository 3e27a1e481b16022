#include "engine/arctan5_head_thread.h"

#include <stdexcept>

namespace zembra {

Arctan5HeadThread::Arctan5HeadThread(long terms, long shownLimbs, long last,
                                     const ThreadStarter& start) {
  thread_ = start([this, terms, shownLimbs, last] { compute(terms, shownLimbs, last); });
}

Arctan5HeadThread::~Arctan5HeadThread() {
  stop_.store(true, std::memory_order_relaxed);
  if (thread_.joinable()) thread_.join();
}

void Arctan5HeadThread::compute(long terms, long shownLimbs, long last) {
  std::optional<Arctan5Head> head;
  std::exception_ptr failure;
  try {
    head = computeArctan5Head(terms, shownLimbs, last, stop_);
  } catch (const Arctan5HeadStopped&) {
    // Nobody waits for the result any more.
  } catch (...) {
    failure = std::current_exception();
  }
  {
    std::lock_guard lock(mutex_);
    head_ = std::move(head);
    failure_ = failure;
    done_.store(true, std::memory_order_release);
  }
  finished_.notify_all();
}

bool Arctan5HeadThread::waitFor(std::chrono::microseconds timeout) {
  std::unique_lock lock(mutex_);
  return finished_.wait_for(lock, timeout, [this] { return done(); });
}

Arctan5Head Arctan5HeadThread::take() {
  std::unique_lock lock(mutex_);
  finished_.wait(lock, [this] { return done(); });
  if (failure_) std::rethrow_exception(failure_);
  if (!head_) throw std::logic_error("arctan(1/5) head taken twice");
  Arctan5Head head = std::move(*head_);
  head_.reset();
  return head;
}

}  // namespace zembra
