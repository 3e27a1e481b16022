// The engine's digits against the references. For a count N with n = floor(N)
// decimals asked for, the floored Machin arithmetic is kept when it already
// shows pi's first n decimals; otherwise the engine shows pi's own first 10 L
// decimals, truncated, and says so with `mended`.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/pi_digits.h"
#include "tests/reference/limbs.h"
#include "tests/reference/machin_gmp.h"
#include "tests/reference/pi_mpfr.h"

namespace {

using zembra::reference::limbDecimals;
using zembra::reference::limbsFromDecimals;
using zembra::reference::machinFloorsGmp;

using Limbs = std::vector<std::uint64_t>;

// pi's first `count` decimals, computed once per growth of the longest request.
std::string piPrefix(std::size_t count) {
  static std::string cache;
  if (cache.size() < count)
    cache = zembra::reference::piDecimals(std::max(count, 2 * cache.size()));
  return cache.substr(0, count);
}

std::size_t requestedDecimals(double n) { return static_cast<std::size_t>(std::floor(n)); }

struct Expected {
  Limbs limbs;
  bool mended;
};

Expected oracle(double n) {
  Limbs floors = machinFloorsGmp(n);
  const std::string decimals = limbDecimals(floors);
  const std::string pi = piPrefix(decimals.size());
  const std::size_t wanted = requestedDecimals(n);
  if (floors[0] == 3 && decimals.compare(0, wanted, pi, 0, wanted) == 0)
    return {std::move(floors), false};
  return {limbsFromDecimals(3, pi), true};
}

// Equal limb vectors, or the first limb where they differ.
testing::AssertionResult sameLimbs(const Limbs& got, const Limbs& want) {
  if (got.size() != want.size())
    return testing::AssertionFailure()
           << "limb count " << got.size() << ", expected " << want.size();
  const auto [g, w] = std::mismatch(got.begin(), got.end(), want.begin());
  if (g == got.end()) return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << "limb " << (g - got.begin()) << " is " << *g << ", expected " << *w;
}

void expectMatchesOracle(double n, const zembra::PiDigits& got) {
  SCOPED_TRACE(testing::Message() << "N = " << n);
  const Expected want = oracle(n);
  EXPECT_TRUE(sameLimbs(got.limbs, want.limbs));
  EXPECT_EQ(got.mended, want.mended);
}

void expectShowsPi(double n, const zembra::PiDigits& got) {
  SCOPED_TRACE(testing::Message() << "N = " << n);
  ASSERT_FALSE(got.limbs.empty());
  EXPECT_EQ(got.limbs[0], 3U);
  const std::size_t wanted = requestedDecimals(n);
  EXPECT_EQ(limbDecimals(got.limbs).substr(0, wanted), piPrefix(wanted));
}

void expectMatchesOracle(double n) { expectMatchesOracle(n, zembra::computePiDigits(n)); }

// Checks both the oracle and that pi's own first n decimals are shown.
void expectOracleAndPi(double n) {
  const zembra::PiDigits got = zembra::computePiDigits(n);
  expectMatchesOracle(n, got);
  expectShowsPi(n, got);
}

TEST(DigitsAgainstOracle, EveryCountUpTo300) {
  for (int n = 0; n <= 300; ++n) expectMatchesOracle(n);
}

TEST(DigitsAgainstOracle, RandomCountsUpTo20000) {
  std::mt19937_64 random(20240607);
  std::uniform_int_distribution<int> count(301, 20000);
  piPrefix(20010);  // one MPFR run covers the whole sample
  for (int i = 0; i < 40; ++i) expectMatchesOracle(count(random));
}

TEST(DigitsAgainstOracle, FractionalCounts) {
  for (const double n : {0.5, 7.25, 9.999, 10.5, 18.75, 99.9, 1234.5, 4567.8})
    expectMatchesOracle(n);
}

TEST(DigitsAgainstOracle, KnownBadClassesStillShowPi) {
  std::vector<double> counts{761, 1607};
  for (int tens = 0; tens < 200; ++tens) {
    counts.push_back(10 * tens + 8);
    counts.push_back(10 * tens + 9);
  }
  for (const double n : counts) expectOracleAndPi(n);
}

// Counts above 196,000 are a known-bad class as well.
TEST(SlowDigitsAgainstOracle, Count196990) { expectOracleAndPi(196990); }
TEST(SlowDigitsAgainstOracle, Count250000) { expectOracleAndPi(250000); }
TEST(SlowDigitsAgainstOracle, Count327640) { expectOracleAndPi(327640); }

}  // namespace
