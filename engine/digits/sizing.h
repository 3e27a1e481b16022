#pragma once

#include "engine/digits/machin_formula.h"

// How much work a digit count takes: the term counts of the two arctangent
// series and the number of fractional limbs. All in double precision, in the
// program's fixed order of operations, so that the term counts (and with them
// the counter the user sees) are the ones the program has always shown.

namespace zembra {

// The largest digit count the engine computes (32764 steps of ten digits).
inline constexpr double kMaxDigits = 327640;

// The terms of `series` the counter shows for N digits:
// Int(N / digitsPerTerm + 1.5 + 2).
double termCount(const ArctanSeries& series, double digitCount);
// Int(N / 10) + 1.
double limbCount(double digitCount);

struct SeriesSizes {
  long terms239 = 0;
  long terms5 = 0;
  long limbCount = 0;          // index of the last fractional limb
  long requestedDecimals = 0;  // floor(N): decimals that must be π's own
};

SeriesSizes sizeSeries(double digitCount);

}  // namespace zembra
