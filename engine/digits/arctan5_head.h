#pragma once

// The head of the arctan(1/5) series, summed exactly with big integers
// instead of limb by limb. The kernel spends most of its time there: for the
// first terms the remainder chain of the division by 2k − 1 runs over every
// limb. Here the head costs a few big multiplications and one big division.

#include <atomic>
#include <vector>

namespace zembra {

// What the head leaves, in the form runSeries works with, over limbs
// 0 … last (limb last holds the units, base B = 10^10):
//   columns — signed column sums, not carried, of the head's terms
//             Σ_{k=1…K} (−1)^(k−1) ⌊⌊80·B^last / 25^k⌋ / (2k − 1)⌋.
//             Carried over limbs 0 … last they give that sum, carried over
//             limbs 0 … n (the shown limbs) the same sum of the terms cut to
//             n limbs, exactly as the kernel's column sums would;
//   power   — ⌊80·B^last / 25^K⌋ in normalised limbs, from which the kernel
//             goes on with term K + 1.
struct Arctan5Head {
  std::vector<double> columns;
  std::vector<double> power;
};

// How many terms the head takes: those whose power 80·B^n / 25^k at the
// shown limbs n is an integer (k ≤ 5n), and never past the shown terms.
long arctan5HeadTerms(long shownTerms, long shownLimbs);

// Thrown by computeArctan5Head once `stop` is set (and by the thread that
// sums the rest of the series, arctan5_thread.h).
struct Arctan5Stopped {};

// The head of `terms` terms. Throws std::invalid_argument unless
// 1 ≤ terms ≤ 5·shownLimbs and 1 ≤ shownLimbs ≤ last, std::bad_alloc when
// memory runs out (also for what GMP will need, reserved before its first
// call: GMP itself never runs out). Looks at `stop` every few milliseconds.
Arctan5Head computeArctan5Head(long terms, long shownLimbs, long last,
                               const std::atomic<bool>& stop);

}  // namespace zembra
