// The engine's digits against the references. For a count N, with n = ⌊N⌋
// decimals asked for, the floored Machin arithmetic is kept where it shows
// π's first n decimals; elsewhere π's own first 10·L decimals, truncated.
#include "engine/digits/pi_digits.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <stdexcept>

#include "engine/error.h"
#include "tests/engine/digits/counting_starter.h"
#include "tests/reference/reference.h"

namespace zembra {
namespace {

// π's first `count` decimals, from one MPFR run as long as the longest asked.
std::string piPrefix(std::size_t count) {
  static std::string cache;
  if (cache.size() < count) cache = reference::piDecimals(std::max(count, 2 * cache.size()));
  return cache.substr(0, count);
}

// Computes N with these options and checks it against the references alone.
void expectReferenceDigits(double n, const EngineOptions& options = {}) {
  SCOPED_TRACE(testing::Message() << "N = " << n);
  std::vector<std::uint64_t> floors = reference::machinFloorsGmp(n);
  const std::string pi = piPrefix(10 * (floors.size() - 1));
  const auto wanted = static_cast<std::size_t>(n);
  const bool floorsRight = reference::limbDecimals(floors).compare(0, wanted, pi, 0, wanted) == 0;
  SilentListener silent;
  const PiDigits got = computePiDigits(sizeSeries(n), silent, options);
  EXPECT_EQ(got.limbs, floorsRight ? floors : reference::limbsFromDecimals(3, pi));
  EXPECT_EQ(got.mended, !floorsRight);
  EXPECT_EQ(reference::limbDecimals(got.limbs).substr(0, wanted), pi.substr(0, wanted));
}

TEST(PiDigits, every_count_up_to_300_random_counts_and_counts_next_to_runs_of_nines) {
  for (double n = 0; n <= 300; ++n) expectReferenceDigits(n);
  for (double n : {0.5, 9.999, 18.75, 1234.5, 761.0, 1607.0, 1999.0}) expectReferenceDigits(n);
  std::mt19937_64 random(20240607);
  std::uniform_int_distribution<int> count(301, 20000);
  for (int i = 0; i < 40; ++i) expectReferenceDigits(count(random));
  for (int tens = 0; tens < 200; tens += 3) expectReferenceDigits(10 * tens + 8.0);
  expectReferenceDigits(1000, {nullptr, 0, 0, {}});  // a reference too narrow is widened
}

// Two or more threads: t − 1 pool workers and one for arctan(1/5); one
// thread: the kernel alone sums the head of arctan(1/5) too.
TEST(PiDigits, every_kernel_thread_count_and_refused_start_gives_the_same_digits) {
  for (const kernel::Kernel& kernel : kernel::availableKernels()) {
    for (const int threads : {1, 2, 3, 6}) {
      for (const int granted : {1000, 2, 1, 0}) {
        SCOPED_TRACE(testing::Message() << kernel.name << ", " << threads << " threads asked, "
                                        << granted << " granted");
        CountingStarter counting{granted};
        for (double n : {0.0, 9.0, 52.0, 99.0, 762.0, 6999.0}) {
          counting.started = 0;
          expectReferenceDigits(n, {&kernel, 2, threads, counting.starter()});
          EXPECT_EQ(counting.started, std::min(granted, threads > 1 ? threads : 0));
        }
      }
    }
  }
}

TEST(PiDigits, counts_from_0_to_327640_are_taken_and_no_others) {
  for (double n : {-0.5, 327640.5, std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_THROW(computePiDigits(n), std::runtime_error) << n;
  }
  for (double n : {0.0, 327640.0}) EXPECT_NO_THROW(checkDigitCount(n)) << n;
}

// A listener that fails as a full memory would, partway through the series.
class FailingListener final : public TermListener {
 public:
  void termStarted(long, long k) override {
    if (k == 50) throw std::bad_alloc();
  }
  void yieldPoint() override {}
};

TEST(PiDigits, memory_running_out_during_the_series_is_a_run_error_with_readable_text) {
  FailingListener failing;
  EXPECT_THAT([&] { computePiDigits(sizeSeries(1000), failing); },
              testing::ThrowsMessage<Error>("not enough memory for the computation"));
}

TEST(SlowPiDigits, large_counts_on_one_and_two_threads_including_those_the_floors_get_wrong) {
  for (double n : {60000.0, 196990.0, 250000.0, 327640.0}) expectReferenceDigits(n);
  for (double n : {123457.0, 327640.0}) expectReferenceDigits(n, {nullptr, 2, 1, {}});
}

}  // namespace
}  // namespace zembra
