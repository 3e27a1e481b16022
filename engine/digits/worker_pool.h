#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace zembra {

// Starts one thread running `body`. Throws (std::system_error, std::bad_alloc)
// when the system refuses; tests inject one that fails on purpose.
using ThreadStarter = std::function<std::jthread(std::function<void()> body)>;

// The starter used when none is given: a plain std::jthread.
std::jthread startThread(std::function<void()> body);

// How many threads a run uses, and whether that is the count asked for.
struct ThreadCount {
  enum class Taken { AsAsked, NotAPositiveNumber, MoreThanProcessors };
  int threads;
  Taken taken = Taken::AsAsked;  // AsAsked also when none was asked
};

// `asked` is a thread count as the user wrote it (nullptr or empty: none
// asked): a positive whole number, cut to `processors`; anything else gives
// one thread per processor.
ThreadCount chooseThreadCount(const char* asked, int processors);

// A fixed set of threads that run one task together: run(task) calls task(0)
// on the calling thread and task(1 … size − 1) on the workers, and returns
// when all of them have returned. run(task, threads) engages only the first
// `threads` of them; the other workers sleep through it.
class WorkerPool {
 public:
  // Asks for `wanted` threads, the caller included, and keeps as many as the
  // system grants: a refused start leaves a smaller pool, down to the calling
  // thread alone, never a half-built one.
  explicit WorkerPool(int wanted, const ThreadStarter& start = startThread);
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  int size() const { return static_cast<int>(workers_.size()) + 1; }
  void run(const std::function<void(int)>& task) { run(task, size()); }
  void run(const std::function<void(int)>& task, int threads);

  // The number of threads to use when none is asked for: ZEMBRA_THREADS, or
  // one per processor this process may run on (never more).
  static ThreadCount defaultCount();
  static int defaultSize() { return defaultCount().threads; }

 private:
  void work(int index);

  std::vector<std::jthread> workers_;
  std::mutex mutex_;
  std::condition_variable start_;
  std::condition_variable finished_;
  const std::function<void(int)>* task_ = nullptr;
  long generation_ = 0;
  int engaged_ = 0;  // threads of the current generation, the caller included
  int running_ = 0;
  bool stopping_ = false;
};

}  // namespace zembra
