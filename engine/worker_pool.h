#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace zembra {

// A fixed set of threads that run one task together: run(task) calls task(0)
// on the calling thread and task(1 … size − 1) on the workers, and returns
// when all of them have returned.
class WorkerPool {
 public:
  explicit WorkerPool(int size);  // size ≥ 1 threads, the caller included
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  int size() const { return static_cast<int>(workers_.size()) + 1; }
  void run(const std::function<void(int)>& task);

  // The number of threads to use when none is asked for: one per core.
  static int defaultSize();

 private:
  void work(int index);

  std::vector<std::jthread> workers_;
  std::mutex mutex_;
  std::condition_variable start_;
  std::condition_variable finished_;
  const std::function<void(int)>* task_ = nullptr;
  long generation_ = 0;
  int running_ = 0;
  bool stopping_ = false;
};

}  // namespace zembra
