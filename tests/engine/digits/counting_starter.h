#pragma once

#include <cerrno>
#include <new>
#include <system_error>
#include <thread>

#include "engine/digits/worker_pool.h"

namespace zembra {

// Grants `granted` thread starts and refuses the rest, as a system out of
// threads (or of memory) would; counts the threads started.
struct CountingStarter {
  int granted = 1000;
  bool outOfMemory = false;
  int started = 0;

  ThreadStarter starter() {
    return [this](std::function<void()> body) {
      if (started == granted && outOfMemory) throw std::bad_alloc();
      if (started == granted) throw std::system_error(EAGAIN, std::generic_category());
      ++started;
      return std::jthread(std::move(body));
    };
  }
};

}  // namespace zembra
