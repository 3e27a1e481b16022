#pragma once

#include <cstdint>

// Machin's formula, π = 16·arctan(1/5) − 4·arctan(1/239), as the engine sums
// it: in fixed point on limbs of ten decimal digits, each arctangent as the
// series Σ_{k≥1} (−1)^(k−1) c / (q^k (2k − 1)), c = 16·5 or 4·239, q = 5² or
// 239². Test references keep constants of their own, so that they check these.

namespace zembra {

inline constexpr int kDigitsPerLimb = 10;
inline constexpr std::int64_t kLimbBase = 10'000'000'000;  // 10^kDigitsPerLimb

// One arctangent series of the formula.
struct ArctanSeries {
  int numerator;         // c
  int square;            // q
  double digitsPerTerm;  // the decimals a term adds, as the counter counts terms
};

inline constexpr ArctanSeries kArctan5{80, 25, 1.398};
inline constexpr ArctanSeries kArctan239{956, 57121, 4.7568};

}  // namespace zembra
