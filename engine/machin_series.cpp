#include "engine/machin_series.h"

#include <algorithm>

namespace zembra {
namespace {

// The terms of one block: at most one kernel's lanes, and never across the
// last shown term, so that the columns can be copied exactly there.
int blockSize(const SeriesPlan& plan, const kernel::Kernel& kernel, long firstTerm) {
  const long end = firstTerm <= plan.shownTerms ? plan.shownTerms : plan.totalTerms;
  return static_cast<int>(std::min<long>(kernel.lanes, end - firstTerm + 1));
}

void announceTerms(const SeriesPlan& plan, long firstTerm, int count, TermListener& listener) {
  for (long k = firstTerm; k < firstTerm + count && k <= plan.shownTerms; ++k) {
    listener.termStarted(plan.counterOffset, k);
  }
}

}  // namespace

SeriesColumns runSeries(const SeriesPlan& plan, long last, const kernel::Kernel& kernel,
                        TermListener& listener) {
  std::vector<double> power(static_cast<std::size_t>(last) + 1, 0.0);
  std::vector<double> columns(power.size(), 0.0);
  SeriesColumns result;
  power[0] = plan.numerator;
  long first = 0;  // the power's limbs before this one are zero
  for (long k = 1; k <= plan.totalTerms;) {
    const int count = blockSize(plan, kernel, k);
    announceTerms(plan, k, count, listener);
    if (first <= last) {
      kernel.run({power.data(), columns.data(), first, last, plan.square, k, count});
      while (first <= last && power[static_cast<std::size_t>(first)] == 0.0) ++first;
    }
    listener.yieldPoint();
    k += count;
    if (k - 1 == plan.shownTerms) result.afterShownTerms = columns;
  }
  if (plan.shownTerms < 1) result.afterShownTerms.assign(columns.size(), 0.0);
  result.afterAllTerms = std::move(columns);
  return result;
}

}  // namespace zembra
