#include "engine/worker_pool.h"

#include <algorithm>

namespace zembra {

WorkerPool::WorkerPool(int size) {
  for (int index = 1; index < std::max(1, size); ++index) {
    workers_.emplace_back([this, index] { work(index); });
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

int WorkerPool::defaultSize() {
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void WorkerPool::run(const std::function<void(int)>& task) {
  {
    std::lock_guard lock(mutex_);
    task_ = &task;
    running_ = static_cast<int>(workers_.size());
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
      start_.wait(lock, [&] { return stopping_ || generation_ != seen; });
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
