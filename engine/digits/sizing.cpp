#include "engine/digits/sizing.h"

#include <cmath>

namespace zembra {

// Each step is a separate double operation so that the rounding is exactly
// that of the program's formula: the division, then + 1.5, then + 2.
double Terms239(double digitCount) {
  double value = digitCount / 4.7568;
  value = value + 1.5;
  value = value + 2;
  return std::floor(value);
}

double Terms5(double digitCount) {
  double value = digitCount / 1.398;
  value = value + 1.5;
  value = value + 2;
  return std::floor(value);
}

double LimbCount(double digitCount) { return std::floor(digitCount / 10) + 1; }

SeriesSizes sizeSeries(double digitCount) {
  SeriesSizes sizes;
  sizes.terms239 = static_cast<long>(Terms239(digitCount));
  sizes.terms5 = static_cast<long>(Terms5(digitCount));
  sizes.limbCount = static_cast<long>(LimbCount(digitCount));
  sizes.requestedDecimals = static_cast<long>(std::floor(digitCount));
  return sizes;
}

}  // namespace zembra
