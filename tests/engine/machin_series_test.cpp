#include "engine/machin_series.h"

#include <gmp.h>
#include <gtest/gtest.h>

#include "tests/reference/reference.h"

namespace zembra {
namespace {

// Limb j of the fixed-point integer x with limbs 0 … last (limb last is the units).
unsigned long limbOf(mpz_srcptr x, long j, long last) {
  reference::MpzValue shifted, base;
  mpz_ui_pow_ui(base, 10, static_cast<unsigned long>(10 * (last - j)));
  mpz_tdiv_q(shifted, x, base);
  return mpz_tdiv_ui(shifted, 10000000000UL);
}

TEST(MachinSeries, the_power_of_one_fifth_vanishes_exactly_where_the_kernels_skip_it) {
  const long last = 30;
  const SeriesPlan atan5{80, 25, 0, 0, 0};
  reference::MpzValue power, previous;
  mpz_ui_pow_ui(power, 10, 10 * last);
  mpz_mul_ui(power, power, 80);
  for (long k = 1; k <= 5 * last + 5; ++k) {
    mpz_set(previous, power);
    mpz_tdiv_q_ui(power, previous, 25);
    const long from = powerVanishesFrom(atan5, k, last);
    if (from > last) continue;  // no claim made
    EXPECT_NE(mpz_divisible_ui_p(previous, 25), 0) << "k = " << k;
    for (long j = from; j <= last; ++j) {
      ASSERT_EQ(limbOf(power, j, last), 0u) << "k = " << k << ", limb " << j;
    }
    EXPECT_NE(limbOf(power, from - 1, last), 0u) << "k = " << k;  // and no sooner
  }
  EXPECT_EQ(powerVanishesFrom(SeriesPlan{956, 57121, 0, 0, 0}, 5, last), last + 1);
}

}  // namespace
}  // namespace zembra
