#pragma once

#include <vector>

#include "engine/kernel/kernel.h"
#include "engine/term_listener.h"

namespace zembra {

// One arctangent series of Machin's formula in fixed point:
//   Σ_{k≥1} (−1)^(k−1) ⌊⌊c·B^last / q^k⌋ / (2k − 1)⌋
// with c = 956, q = 239² or c = 80, q = 5², over limbs 0 … last.
struct SeriesPlan {
  double numerator;    // c
  double square;       // q
  long shownTerms;     // the terms the counter shows, in order
  long totalTerms;     // shownTerms plus silent terms that only tighten the reference
  long counterOffset;  // added to k for the counter
};

// Column sums (signed, not carried) of the series over limbs 0 … last.
struct SeriesColumns {
  std::vector<double> afterShownTerms;  // after term shownTerms
  std::vector<double> afterAllTerms;    // after term totalTerms
};

SeriesColumns runSeries(const SeriesPlan& plan, long last, const kernel::Kernel& kernel,
                        TermListener& listener);

}  // namespace zembra
