// The exact head of arctan(1/5) against the floored series evaluated term by
// term with GMP (tests/reference); how it stops and how its thread fails.
#include <gmp.h>
#include <gtest/gtest.h>

#include <span>
#include <stdexcept>

#include "engine/digits/arctan5_head.h"
#include "engine/digits/arctan5_thread.h"
#include "engine/digits/machin_series.h"
#include "tests/reference/reference.h"

namespace zembra {
namespace {

// The integer that signed, uncarried columns over limbs 0 … count − 1 stand
// for: Σ columns[j]·B^(count − 1 − j).
void carried(mpz_ptr value, std::span<const double> columns, std::size_t count) {
  mpz_set_ui(value, 0);
  for (std::size_t j = 0; j < count; ++j) {
    mpz_mul_ui(value, value, 10'000'000'000UL);
    reference::MpzValue column;
    mpz_set_si(column, static_cast<long>(columns[j]));
    mpz_add(value, value, column);
  }
}

struct HeadCase {
  long terms, shownLimbs, last;
};

// Head sizes around the edges: one term, the last term with an exact power
// (5n), no guard limbs and several, sizes the engine uses.
const HeadCase kCases[] = {{1, 1, 1},          {3, 1, 3},         {5, 1, 3},       {5, 1, 1},
                           {40, 8, 10},        {39, 8, 8},        {505, 101, 103}, {500, 101, 109},
                           {5015, 1003, 1005}, {4800, 1003, 1007}};

TEST(Arctan5Head, gives_the_floored_series_at_the_guard_limbs_and_cut_to_the_shown_limbs) {
  const std::atomic<bool> stop{false};
  for (const HeadCase& c : kCases) {
    SCOPED_TRACE(testing::Message()
                 << c.terms << " terms, limbs " << c.shownLimbs << " of " << c.last);
    const Arctan5Head head = computeArctan5Head(c.terms, c.shownLimbs, c.last, stop);
    ASSERT_EQ(head.columns.size(), static_cast<std::size_t>(c.last) + 1);
    reference::MpzValue expected, expectedPower, got;
    reference::arctanFloorsGmp(expected, expectedPower, 80, 25, c.terms, c.last);
    carried(got, head.columns, head.columns.size());
    EXPECT_EQ(mpz_cmp(got, expected), 0) << "at all limbs";
    carried(got, head.power, head.power.size());
    EXPECT_EQ(mpz_cmp(got, expectedPower), 0) << "the power after the head";
    for (double limb : head.power) EXPECT_TRUE(limb >= 0 && limb < 1e10);
    // Cut to the shown limbs: the sum of the terms at n limbs, not the sum cut.
    reference::arctanFloorsGmp(expected, expectedPower, 80, 25, c.terms, c.shownLimbs);
    carried(got, head.columns, static_cast<std::size_t>(c.shownLimbs) + 1);
    EXPECT_EQ(mpz_cmp(got, expected), 0) << "at the shown limbs";
  }
}

TEST(Arctan5Head, stops_when_asked) {
  const std::atomic<bool> stop{true};
  EXPECT_THROW(computeArctan5Head(163'825, 32'765, 32'767, stop), Arctan5Stopped);
}

TEST(Arctan5Thread, passes_on_the_failure_of_its_computation) {
  // More shown limbs than limbs: the head refuses the sizes on the thread.
  Arctan5Thread failing(SeriesPlan{kArctan5, 75, 95, 24}, 14, 13, kernel::selectedKernel(),
                        startThread);
  EXPECT_THROW(failing.take(), std::invalid_argument);
}

}  // namespace
}  // namespace zembra
