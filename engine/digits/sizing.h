#pragma once

// How much work a digit count takes: the term counts of the two arctangent
// series and the number of fractional limbs. All in double precision, in the
// program's fixed order of operations, so that the term counts (and with them
// the counter the user sees) are the ones the program has always shown.

namespace zembra {

// Base of one limb: ten decimal digits.
inline constexpr double kLimbBase = 1e10;

// The largest digit count the engine computes (32764 steps of ten digits).
inline constexpr double kMaxDigits = 327640;

// The largest digit count whose lines go into the window's list.
inline constexpr double kListDigitLimit = 45000;

double Terms239(double digitCount);   // Int(N / 4.7568 + 1.5 + 2)
double Terms5(double digitCount);     // Int(N / 1.398 + 1.5 + 2)
double LimbCount(double digitCount);  // Int(N / 10) + 1

struct SeriesSizes {
  long terms239 = 0;
  long terms5 = 0;
  long limbCount = 0;          // index of the last fractional limb
  long requestedDecimals = 0;  // floor(N): decimals that must be π's own
};

SeriesSizes sizeSeries(double digitCount);

}  // namespace zembra
