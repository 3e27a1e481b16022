#include "engine/digits/machin_series.h"

#include <algorithm>

namespace zembra {
namespace {

// Limb steps of one round, all threads together: a few milliseconds of work.
constexpr double kRoundWork = 8e6;

struct Block {
  long firstTerm;
  int count;
};

struct Series {
  const SeriesPlan& plan;
  long last;
  const kernel::Kernel& kernel;
  std::vector<double> power;
  std::vector<double> columns;
  long first = 0;  // the power's limbs before this one are zero
};

// The blocks of the round starting at term k: enough work for every thread,
// never past the last shown term, so the columns can be copied exactly there.
std::vector<Block> planRound(const Series& series, long k, int threads) {
  const SeriesPlan& plan = series.plan;
  const long end = k <= plan.shownTerms ? plan.shownTerms : plan.totalTerms;
  const double limbs = static_cast<double>(series.last - series.first + 1);
  std::vector<Block> blocks;
  double work = 0;
  while (k <= end && (work < kRoundWork || static_cast<int>(blocks.size()) < threads)) {
    const int count = static_cast<int>(std::min<long>(series.kernel.lanes, end - k + 1));
    blocks.push_back({k, count});
    work += count * limbs;
    k += count;
  }
  return blocks;
}

// Block b waits for block b − 1 limb by limb, so thread t can take blocks
// t, t + threads, … and all threads work at once, each a little behind the
// one before.
void runRound(Series& series, const std::vector<Block>& blocks, WorkerPool& pool, int threads) {
  // Written before the workers start (run() publishes it), then only
  // atomically by the kernels.
  std::vector<long> progress(blocks.size(), series.first - 1);
  pool.run(
      [&](int thread) {
        for (std::size_t b = static_cast<std::size_t>(thread); b < blocks.size();
             b += static_cast<std::size_t>(threads)) {
          const Block& block = blocks[b];
          const long lastTerm = block.firstTerm + block.count - 1;
          series.kernel.run({series.power.data(), series.columns.data(), series.first, series.last,
                             static_cast<double>(series.plan.series.square), block.firstTerm,
                             block.count, powerVanishesFrom(series.plan, lastTerm, series.last),
                             b > 0 ? &progress[b - 1] : nullptr, &progress[b]});
        }
      },
      threads);
}

// The power's limbs before `first` are zero: moves first past them.
void skipZeroLimbs(Series& series) {
  while (series.first <= series.last && series.power[static_cast<std::size_t>(series.first)] == 0) {
    ++series.first;
  }
}

}  // namespace

long powerVanishesFrom(const SeriesPlan& plan, long k, long last) {
  const ArctanSeries& series = plan.series;
  if (series.square != kArctan5.square || series.numerator != kArctan5.numerator ||
      2 * k > 10 * last + 1) {
    return last + 1;
  }
  return std::min(last + 1, (2 * k - 1 + 9) / 10 + 1);
}

SeriesColumns runSeries(const SeriesPlan& plan, long last, const kernel::Kernel& kernel,
                        WorkerPool& pool, TermListener& listener, SeriesStart start,
                        const RoundThreads& threads) {
  const auto limbs = static_cast<std::size_t>(last) + 1;
  Series series{plan, last, kernel, std::move(start.power), std::vector<double>(limbs)};
  if (series.power.empty()) {
    series.power.assign(limbs, 0.0);
    series.power[0] = plan.series.numerator;
  }
  skipZeroLimbs(series);
  SeriesColumns result;
  for (long k = start.firstTerm; k <= plan.totalTerms;) {
    const int roundThreads = std::clamp(threads ? threads() : pool.size(), 1, pool.size());
    const std::vector<Block> blocks = planRound(series, k, roundThreads);
    const long next = blocks.back().firstTerm + blocks.back().count;
    for (long term = k; term < next && term <= plan.shownTerms; ++term) {
      listener.termStarted(plan.counterOffset, term);
    }
    if (series.first <= last) runRound(series, blocks, pool, roundThreads);
    listener.yieldPoint();
    skipZeroLimbs(series);
    if (next - 1 == plan.shownTerms) result.afterShownTerms = series.columns;
    k = next;
  }
  if (plan.shownTerms < start.firstTerm) result.afterShownTerms.assign(limbs, 0.0);
  result.afterAllTerms = std::move(series.columns);
  return result;
}

}  // namespace zembra
