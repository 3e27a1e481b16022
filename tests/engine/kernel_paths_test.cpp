// Every compiled kernel, and the retry with a wider reference, must give the
// same digits as the exact GMP evaluation (or π's own where that is wrong).
#include <gtest/gtest.h>

#include <limits>

#include "engine/pi_digits.h"
#include "tests/reference/limbs.h"
#include "tests/reference/machin_gmp.h"
#include "tests/reference/pi_mpfr.h"

namespace zembra {
namespace {

// The digits the engine must print for n, decided by the references alone.
std::vector<std::uint64_t> expectedDigits(double n) {
  std::vector<std::uint64_t> series = reference::machinFloorsGmp(n);
  const std::string pi = reference::piDecimals(10 * (series.size() - 1));
  const auto decimals = static_cast<std::size_t>(n);
  if (reference::limbDecimals(series).compare(0, decimals, pi, 0, decimals) == 0) return series;
  return reference::limbsFromDecimals(3, pi);
}

std::vector<const kernel::Kernel*> allKernels() {
  int count = 0;
  const kernel::Kernel* kernels = kernel::availableKernels(count);
  std::vector<const kernel::Kernel*> result;
  for (int i = 0; i < count; ++i) result.push_back(&kernels[i]);
  return result;
}

TEST(KernelPaths, every_kernel_and_thread_count_gives_the_reference_digits) {
  // Counts around block and limb boundaries, runs of nines, and mended ones.
  for (double n : {0.0, 1.0, 9.0, 10.0, 48.0, 99.0, 761.0, 762.0, 1607.0, 2000.0, 6999.0}) {
    const auto expected = expectedDigits(n);
    for (const kernel::Kernel* kernel : allKernels()) {
      for (int threads : {1, 2, 3}) {
        SilentListener silent;
        EngineOptions options;
        options.kernel = kernel;
        options.threads = threads;
        EXPECT_EQ(computePiDigits(sizeSeries(n), silent, options).limbs, expected)
            << "kernel " << kernel->name << ", " << threads << " threads, n = " << n;
      }
    }
  }
}

TEST(SlowKernelPaths, every_kernel_and_thread_count_agree_on_a_large_count) {
  const auto expected = expectedDigits(60000);
  for (const kernel::Kernel* kernel : allKernels()) {
    for (int threads : {1, 2}) {
      SilentListener silent;
      EngineOptions options;
      options.kernel = kernel;
      options.threads = threads;
      EXPECT_EQ(computePiDigits(sizeSeries(60000), silent, options).limbs, expected)
          << "kernel " << kernel->name << ", " << threads << " threads";
    }
  }
}

TEST(KernelPaths, a_reference_too_narrow_to_decide_is_widened) {
  // With no hidden limbs the reference can never settle the last limb, so
  // the engine must widen it; the digits stay the same.
  for (double n : {0.0, 28.0, 100.0, 1000.0}) {
    SilentListener silent;
    EngineOptions options;
    options.guardLimbs = 0;
    EXPECT_EQ(computePiDigits(sizeSeries(n), silent, options).limbs, expectedDigits(n)) << n;
  }
}

TEST(KernelPaths, kernels_are_found_by_name) {
  EXPECT_NE(kernel::kernelNamed("portable"), nullptr);
  EXPECT_EQ(kernel::kernelNamed("no-such-kernel"), nullptr);
}

TEST(KernelPaths, counts_out_of_range_are_refused) {
  EXPECT_THROW(computePiDigits(-1), std::runtime_error);
  EXPECT_THROW(computePiDigits(327641), std::runtime_error);
  EXPECT_THROW(computePiDigits(std::numeric_limits<double>::quiet_NaN()), std::runtime_error);
}

}  // namespace
}  // namespace zembra
