#include "engine/digits/sizing.h"

#include <cmath>

namespace zembra {

// Each step is a separate double operation so that the rounding is exactly
// that of the program's formula: the division, then + 1.5, then + 2.
double termCount(const ArctanSeries& series, double digitCount) {
  double value = digitCount / series.digitsPerTerm;
  value = value + 1.5;
  value = value + 2;
  return std::floor(value);
}

double limbCount(double digitCount) { return std::floor(digitCount / kDigitsPerLimb) + 1; }

SeriesSizes sizeSeries(double digitCount) {
  SeriesSizes sizes;
  sizes.terms239 = static_cast<long>(termCount(kArctan239, digitCount));
  sizes.terms5 = static_cast<long>(termCount(kArctan5, digitCount));
  sizes.limbCount = static_cast<long>(limbCount(digitCount));
  sizes.requestedDecimals = static_cast<long>(std::floor(digitCount));
  return sizes;
}

}  // namespace zembra
