#pragma once

#include <functional>
#include <vector>

#include "engine/digits/kernel/kernel.h"
#include "engine/digits/machin_formula.h"
#include "engine/digits/term_listener.h"
#include "engine/digits/worker_pool.h"

namespace zembra {

// One arctangent series of Machin's formula in fixed point:
//   Σ_{k≥1} (−1)^(k−1) ⌊⌊c·B^last / q^k⌋ / (2k − 1)⌋
// over limbs 0 … last, B = kLimbBase.
struct SeriesPlan {
  ArctanSeries series;  // c and q
  long shownTerms;      // the terms the counter shows, in order
  long totalTerms;      // shownTerms plus silent terms that only tighten the reference
  long counterOffset;   // added to k for the counter
};

// Column sums (signed, not carried) of the series over limbs 0 … last.
struct SeriesColumns {
  std::vector<double> afterShownTerms;  // after term shownTerms
  std::vector<double> afterAllTerms;    // after term totalTerms
};

// Where the series starts: at term 1 from the power c, or at term firstTerm
// from the power after term firstTerm − 1 (limbs 0 … last), when the terms
// before it are summed elsewhere; the columns start at zero in both cases.
struct SeriesStart {
  long firstTerm = 1;
  std::vector<double> power;  // empty for term 1
};

// How many of the pool's threads the next round may use (1 … pool.size()),
// asked before every round; empty: all of them.
using RoundThreads = std::function<int()>;

// Runs the series in rounds of a few milliseconds each, the blocks of a round
// spread over the pool's threads. The listener hears of every shown term
// before its round and gets a yield point after each round, always on the
// calling thread and never while a round runs.
SeriesColumns runSeries(const SeriesPlan& plan, long last, const kernel::Kernel& kernel,
                        WorkerPool& pool, TermListener& listener, SeriesStart start = {},
                        const RoundThreads& threads = {});

// The first limb from which the power c·B^last / q^k of every term up to k is
// zero and divides without remainder, or last + 1 if there is none. With
// q = 25, which divides B, the power is exact while 2k ≤ 10·last + 1:
// 80·B^last / 25^k = 2^(2k+3) · 10^(10·last − 2k + 1), whose last non-zero
// digit lies in limb ⌈(2k − 1) / 10⌉.
long powerVanishesFrom(const SeriesPlan& plan, long k, long last);

}  // namespace zembra
