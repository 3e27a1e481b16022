// The memory GMP gets: reserved before the head of arctan(1/5) starts, never running out midway.
#include "engine/digits/gmp_arena.h"

#include <gmp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <atomic>
#include <cstdlib>
#include <set>

#include "engine/digits/arctan5_head.h"
#include "engine/digits/pi_digits.h"
#include "engine/digits/sizing.h"
#include "engine/error.h"
#include "tests/engine/child_process.h"

namespace zembra {
namespace {

// GMP's own use, counted by malloc-based allocation functions of the test's (GMP passes every
// block's size); a block resized counts as a new one beside the old until the copy is made.
std::size_t live = 0, peak = 0;
void* countedAllocate(std::size_t bytes) {
  peak = std::max(peak, live += bytes);
  return std::malloc(bytes);
}
void* countedReallocate(void* block, std::size_t old, std::size_t bytes) {
  peak = std::max(peak, live + bytes);
  live = live + bytes - old;
  return std::realloc(block, bytes);
}
void countedRelease(void* block, std::size_t bytes) {
  live -= bytes;
  std::free(block);
}

// What the head at a count uses at its peak, and whether its own arena served it all.
TEST(GmpArena, the_head_of_every_count_fits_the_arena_reserved_for_it) {
  useGmpArenas();
  void* (*allocate)(std::size_t);
  void* (*reallocate)(void*, std::size_t, std::size_t);
  void (*release)(void*, std::size_t);
  mp_get_memory_functions(&allocate, &reallocate, &release);
  const std::atomic<bool> stop = false;
  for (const double count : {10.0, 1000.0, 20000.0, 45000.0, 100000.0, 327640.0}) {
    const SeriesSizes sizes = sizeSeries(count);
    const long terms = arctan5HeadTerms(sizes.terms5, sizes.limbCount), last = sizes.limbCount + 2;
    live = peak = 0;
    mp_set_memory_functions(&countedAllocate, &countedReallocate, &countedRelease);
    computeArctan5Head(terms, sizes.limbCount, last, stop);
    mp_set_memory_functions(allocate, reallocate, release);
    EXPECT_LE(peak * 3 / 2, headArenaBytes(last)) << count << ": room for gaps too";
    const std::size_t overflowsBefore = gmpArenaOverflows(), servedBefore = gmpArenaAllocations();
    computeArctan5Head(terms, sizes.limbCount, last, stop);
    EXPECT_EQ(gmpArenaOverflows(), overflowsBefore) << count << ": all from the arena";
    EXPECT_GT(gmpArenaAllocations(), servedBefore) << count;
  }
}

// Under address-space limits around what a run of the largest count needs, the run either
// succeeds or reports that memory ran out: GMP never aborts the process.
TEST(SlowGmpArena, a_run_short_of_memory_reports_it_and_never_aborts) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizers reserve address space of their own";
#endif
  std::set<std::string> ends;
  for (int extraMiB = 0; extraMiB <= 24; extraMiB += 3) {
    ends.insert(test::inChild(false, [extraMiB] {
      std::size_t size = 0;  // pages of address space the process has now
      if (std::FILE* status = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(status, "%zu", &size) != 1) size = 0;
        std::fclose(status);
      }
      const rlim_t limit = size * 4096 + static_cast<rlim_t>(extraMiB) * (1 << 20);
      const struct rlimit addressSpace { limit, RLIM_INFINITY };
      ::setrlimit(RLIMIT_AS, &addressSpace);
      try {
        computePiDigits(327640.0);
        return std::string("done");
      } catch (const Error& error) {
        return std::string(error.kind() == Error::Kind::OutOfMemory ? "out of memory" : "other");
      }
    }));
  }
  EXPECT_TRUE(ends.count("out of memory")) << "the limits reach below what a run needs";
  EXPECT_TRUE(ends.count("done")) << "and above";
  ends.erase("out of memory");
  ends.erase("done");
  EXPECT_TRUE(ends.empty()) << *ends.begin();
}

}  // namespace
}  // namespace zembra
