#include "engine/digits/worker_pool.h"

#include <sched.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <limits>
#include <new>
#include <optional>
#include <string_view>
#include <system_error>

namespace zembra {
namespace {

// The whole number `text` holds, nothing else; a number too large for a long
// counts as the largest long.
std::optional<long> wholeNumber(std::string_view text) {
  long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (end != text.data() + text.size() || text.empty()) return std::nullopt;
  if (error == std::errc::result_out_of_range && text.front() != '-') {
    return std::numeric_limits<long>::max();
  }
  if (error != std::errc()) return std::nullopt;
  return value;
}

// Processors this process may run on (its affinity mask, which also reflects
// cpusets and taskset), never more than the system says it has.
int usableProcessors() {
  const int online = static_cast<int>(std::thread::hardware_concurrency());
  cpu_set_t mask;
  CPU_ZERO(&mask);
  if (sched_getaffinity(0, sizeof mask, &mask) == 0 && CPU_COUNT(&mask) > 0) {
    return online > 0 ? std::min(online, CPU_COUNT(&mask)) : CPU_COUNT(&mask);
  }
  return std::max(1, online);
}

}  // namespace

std::jthread startThread(std::function<void()> body) { return std::jthread(std::move(body)); }

WorkerPool::WorkerPool(int wanted, const ThreadStarter& start) {
  // Every thread started here must be joined by the destructor, so no
  // exception may leave the constructor once one runs; the room for all of
  // them is taken first, so keeping a started thread cannot fail.
  try {
    workers_.reserve(static_cast<std::size_t>(std::max(wanted, 1)) - 1);
    for (int index = 1; index < wanted; ++index) {
      workers_.push_back(start([this, index] { work(index); }));
    }
  } catch (const std::system_error&) {
  } catch (const std::bad_alloc&) {
  }
}

WorkerPool::~WorkerPool() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  start_.notify_all();
  workers_.clear();  // joins
}

ThreadCount chooseThreadCount(const char* asked, int processors) {
  if (!asked || !*asked) return {processors};
  const std::optional<long> count = wholeNumber(asked);
  if (!count || *count < 1) return {processors, ThreadCount::Taken::NotAPositiveNumber};
  if (*count > processors) return {processors, ThreadCount::Taken::MoreThanProcessors};
  return {static_cast<int>(*count)};
}

ThreadCount WorkerPool::defaultCount() {
  return chooseThreadCount(std::getenv("ZEMBRA_THREADS"), usableProcessors());
}

void WorkerPool::run(const std::function<void(int)>& task, int threads) {
  {
    std::lock_guard lock(mutex_);
    task_ = &task;
    engaged_ = std::clamp(threads, 1, size());
    running_ = engaged_ - 1;
    ++generation_;
  }
  start_.notify_all();
  // The workers use what the task refers to: wait for them even if task(0) throws.
  struct WaitForWorkers {
    WorkerPool& pool;
    ~WaitForWorkers() {
      std::unique_lock lock(pool.mutex_);
      pool.finished_.wait(lock, [this] { return pool.running_ == 0; });
      pool.task_ = nullptr;
    }
  } waitForWorkers{*this};
  task(0);
}

void WorkerPool::work(int index) {
  long seen = 0;
  for (;;) {
    const std::function<void(int)>* task;
    {
      std::unique_lock lock(mutex_);
      // A worker left out of a generation waits for a later one.
      start_.wait(lock, [&] { return stopping_ || (generation_ != seen && index < engaged_); });
      if (stopping_) return;
      seen = generation_;
      task = task_;
    }
    (*task)(index);
    {
      std::lock_guard lock(mutex_);
      --running_;
    }
    finished_.notify_one();
  }
}

}  // namespace zembra
