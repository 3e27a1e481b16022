// Checks the three reference computations against each other and against the
// known values of the floored Machin arithmetic.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/reference/gmp_value.h"
#include "tests/reference/limbs.h"
#include "tests/reference/machin_gmp.h"
#include "tests/reference/machin_literal.h"
#include "tests/reference/pi_mpfr.h"

namespace zembra::reference {
namespace {

const std::vector<double> kCounts{0, 10, 100, 1000, 5000};

// The double limbs as integers; each must be an exact integer in [0, B).
std::vector<std::uint64_t> toIntegers(const std::vector<double>& limbs) {
  std::vector<std::uint64_t> out;
  for (const double limb : limbs) {
    EXPECT_EQ(limb, std::floor(limb));
    EXPECT_GE(limb, 0.0);
    EXPECT_LT(limb, static_cast<double>(kLimbBase));
    out.push_back(static_cast<std::uint64_t>(limb));
  }
  return out;
}

// Limbs as one integer: integer part followed by all decimals.
void setFromLimbs(mpz_ptr out, const std::vector<std::uint64_t>& limbs) {
  mpz_set_str(out, (std::to_string(limbs[0]) + limbDecimals(limbs)).c_str(), 10);
}

// floor(c B^L / (q^(T+1) (2T+1))) + 1: bounds the series tail left out.
void addOmittedTermBound(mpz_ptr bound, unsigned long c, unsigned long q, long terms,
                         long limbCount) {
  MpzValue term;
  MpzValue divisor;
  mpz_ui_pow_ui(term, 10, static_cast<unsigned long>(10 * limbCount));
  mpz_mul_ui(term, term, c);
  mpz_ui_pow_ui(divisor, q, static_cast<unsigned long>(terms + 1));
  mpz_mul_ui(divisor, divisor, static_cast<unsigned long>(2 * terms + 1));
  mpz_tdiv_q(term, term, divisor);
  mpz_add(bound, bound, term);
  mpz_add_ui(bound, bound, 1);
}

TEST(ReferenceSizes, KnownSizes) {
  struct Case {
    double n;
    MachinSizes sizes;
  };
  const std::vector<Case> cases{{0, {3, 3, 1}},
                                {10, {5, 10, 2}},
                                {100, {24, 75, 11}},
                                {1000, {213, 718, 101}},
                                {327640, {68881, 234366, 32765}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    const MachinSizes got = machinSizes(c.n);
    EXPECT_EQ(got.terms239, c.sizes.terms239);
    EXPECT_EQ(got.terms5, c.sizes.terms5);
    EXPECT_EQ(got.limbCount, c.sizes.limbCount);
  }
}

TEST(ReferenceFloors, KnownValues) {
  EXPECT_EQ(machinFloorsGmp(0), (std::vector<std::uint64_t>{3, 1416210294}));
  EXPECT_EQ(machinFloorsGmp(10), (std::vector<std::uint64_t>{3, 1415926535, 8979169693}));

  const std::vector<std::uint64_t> hundred = machinFloorsGmp(100);
  ASSERT_EQ(hundred.size(), 12U);
  EXPECT_EQ(hundred[0], 3U);
  EXPECT_EQ(limbDecimals(hundred).substr(0, 100), piDecimals(100));
  EXPECT_EQ(hundred[11], 8214811559U);
}

TEST(ReferenceFloors, ExplicitSizesMatchDigitCount) {
  for (const double n : kCounts) {
    SCOPED_TRACE(n);
    const MachinSizes s = machinSizes(n);
    EXPECT_EQ(machinFloorsGmp(s.terms239, s.terms5, s.limbCount), machinFloorsGmp(n));
  }
}

TEST(ReferenceFloors, LiteralDoublesMatchGmp) {
  for (const double n : kCounts) {
    SCOPED_TRACE(n);
    EXPECT_EQ(toIntegers(machinLiteral(n)), machinFloorsGmp(n));
  }
}

// Each floored term is at most one unit below the exact term, so the floored
// sum differs from pi B^L by less than T239 + T5 plus the two omitted tails.
TEST(ReferenceFloors, StayWithinTheirErrorBoundOfMpfrPi) {
  for (const double n : kCounts) {
    SCOPED_TRACE(n);
    const MachinSizes s = machinSizes(n);
    MpzValue floors;
    MpzValue pi;
    MpzValue bound;
    setFromLimbs(floors, machinFloorsGmp(n));
    const auto decimals = static_cast<std::size_t>(10 * s.limbCount);
    std::string piDigits = piDecimals(decimals);
    piDigits.insert(0, 1, '3');
    mpz_set_str(pi, piDigits.c_str(), 10);
    mpz_set_ui(bound, static_cast<unsigned long>(s.terms239 + s.terms5 + 1));
    addOmittedTermBound(bound, 956, 57121, s.terms239, s.limbCount);
    addOmittedTermBound(bound, 80, 25, s.terms5, s.limbCount);
    mpz_sub(floors, floors, pi);
    mpz_abs(floors, floors);
    EXPECT_LE(mpz_cmp(floors, bound), 0) << decimalString(floors);
  }
}

TEST(ReferencePi, ShorterCountsArePrefixes) {
  EXPECT_EQ(piDecimals(0), "");
  const std::string longest = piDecimals(5000);
  ASSERT_EQ(longest.size(), 5000U);
  for (const std::size_t count : std::vector<std::size_t>{1, 10, 99, 761, 762, 765, 1607, 4999}) {
    SCOPED_TRACE(count);
    EXPECT_EQ(piDecimals(count), longest.substr(0, count));
  }
}

}  // namespace
}  // namespace zembra::reference
