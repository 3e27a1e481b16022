#pragma once

#include <cstdint>
#include <vector>

#include "engine/digits/kernel/kernel.h"
#include "engine/digits/sizing.h"
#include "engine/digits/term_listener.h"
#include "engine/digits/worker_pool.h"

namespace zembra {

// The digits a run prints: limbs[0] is the integer part (3), limbs[1 … L] the
// groups of ten decimals, L = limbCount(N).
struct PiDigits {
  std::vector<std::uint64_t> limbs;
  // True when the series' own fixed-point result was wrong within the
  // requested decimals and π's truncated digits were printed instead.
  bool mended = false;
};

struct EngineOptions {
  const kernel::Kernel* kernel = nullptr;  // nullptr: the selected kernel
  long guardLimbs = 2;                     // hidden limbs of the reference
  int threads = 0;                         // 0: WorkerPool::defaultSize()
  ThreadStarter startThread;               // empty: a plain std::jthread
};

// Throws Error unless 0 ≤ digitCount ≤ kMaxDigits.
void checkDigitCount(double digitCount);

// π with the given sizes. The counter goes through the listener in order:
// terms 1 … sizes.terms239 of arctan(1/239), then 1 … sizes.terms5 of arctan(1/5).
// Runs on as many of the asked threads as the system grants, the same digits
// whatever their number. With two or more, arctan(1/5) is summed on a thread
// of its own (started through options.startThread; its head with GMP) while
// the pool, one thread fewer meanwhile, runs arctan(1/239); so no more
// threads work at once than were asked for. Throws Error when memory or another
// resource of the system runs out.
PiDigits computePiDigits(const SeriesSizes& sizes, TermListener& listener,
                         const EngineOptions& options = {});

// The same for a digit count, without progress. Throws Error for a count
// out of range.
PiDigits computePiDigits(double digitCount);

}  // namespace zembra
