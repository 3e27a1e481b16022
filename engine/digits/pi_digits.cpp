#include "engine/digits/pi_digits.h"

#include <chrono>
#include <cmath>
#include <memory>
#include <new>
#include <optional>
#include <span>
#include <stdexcept>
#include <system_error>

#include "engine/digits/arctan5_head.h"
#include "engine/digits/arctan5_thread.h"
#include "engine/digits/machin_series.h"
#include "engine/error.h"

namespace zembra {
namespace {

using Limbs = std::vector<std::uint64_t>;
constexpr std::int64_t kBase = kLimbBase;

// Terms after which the next term c / (q^k (2k − 1)) is below one unit of the
// last limb: q^(k) ≥ q · c · B^last.
long termsForReference(const ArctanSeries& series, long last) {
  const double digits = std::log10(series.numerator) + kDigitsPerLimb * static_cast<double>(last);
  return static_cast<long>(std::ceil(digits / std::log10(series.square)));
}

// Column sums (plus − minus) carried into normalised limbs 0 … count − 1.
Limbs carryColumns(std::span<const double> plus, std::span<const double> minus, std::size_t count) {
  std::vector<std::int64_t> column(count);
  for (std::size_t j = 0; j < count; ++j) {
    column[j] = static_cast<std::int64_t>(plus[j]) - static_cast<std::int64_t>(minus[j]);
  }
  std::int64_t carry = 0;
  for (std::size_t j = count - 1; j > 0; --j) {
    const std::int64_t value = column[j] + carry;
    carry = value >= 0 ? value / kBase : -((-value + kBase - 1) / kBase);
    column[j] = value - carry * kBase;
  }
  column[0] += carry;
  if (column[0] != 3) throw std::logic_error("series sum out of range");
  return Limbs(column.begin(), column.end());
}

// value ± amount (amount < B) in the last limb, carried through.
Limbs offsetLastLimb(Limbs value, std::int64_t amount) {
  for (std::size_t j = value.size() - 1;; --j) {
    const std::int64_t limb = static_cast<std::int64_t>(value[j]) + amount;
    amount = limb < 0 ? -1 : (limb >= kBase ? 1 : 0);
    value[j] = static_cast<std::uint64_t>(limb - amount * kBase);
    if (amount == 0 || j == 0) break;
  }
  return value;
}

// π truncated to `limbCount` fractional limbs, if the reference decides it.
//
// Error bound: the reference is Σ ±⌊x_k⌋ over both series with `last` limbs,
// x_k the exact terms. Each floor is off by less than one unit of the last
// limb, and each series' tail after its last term is below one unit (see
// termsForReference), so |reference − π·B^last| < terms + 2 = bound. When
// reference − bound and reference + bound agree in limbs 0 … limbCount, so
// does π·B^last, which lies strictly between them.
std::optional<Limbs> certifiedTruncation(const Limbs& reference, std::int64_t bound,
                                         long limbCount) {
  const auto keep = static_cast<std::size_t>(limbCount) + 1;
  Limbs low = offsetLastLimb(reference, -bound);
  Limbs high = offsetLastLimb(reference, bound);
  low.resize(keep);
  high.resize(keep);
  if (low != high) return std::nullopt;
  return low;
}

// Whether a and b agree in the integer part and the first `decimals` decimals
// (limb j ≥ 1 holds decimals 10(j − 1) + 1 … 10j).
bool sameDecimals(std::span<const std::uint64_t> a, std::span<const std::uint64_t> b,
                  long decimals) {
  const auto wholeLimbs = static_cast<std::size_t>(decimals / 10);
  for (std::size_t j = 0; j <= wholeLimbs; ++j) {
    if (a[j] != b[j]) return false;
  }
  const long rest = decimals % 10;
  if (rest == 0) return true;
  std::uint64_t dropped = 1;
  for (long i = rest; i < 10; ++i) dropped *= 10;
  return a[wholeLimbs + 1] / dropped == b[wholeLimbs + 1] / dropped;
}

// Forwards only the yield points: used when the reference has to be redone
// with more limbs, after the counter has already shown every term.
class YieldOnly final : public TermListener {
 public:
  explicit YieldOnly(TermListener& inner) : inner_(inner) {}
  void termStarted(long, long) override {}
  void yieldPoint() override { inner_.yieldPoint(); }

 private:
  TermListener& inner_;
};

// How often the calling thread yields while it waits for arctan(1/5), and
// how many of its terms the counter shows between two yield points.
constexpr std::chrono::milliseconds kWaitSlice{2};
constexpr long kShownTermsPerYield = 4096;

// Both series at `last` limbs.
struct Pass {
  SeriesColumns atan239, atan5;
  long terms = 0;  // of both series, the silent ones included
};

// arctan(1/5) on a thread of its own, when the pool has a second thread
// whose processor it can take over meanwhile; nullptr when it has not or no
// thread can be started: the calling thread then sums it with the kernel,
// head and all.
std::unique_ptr<Arctan5Thread> startArctan5(const SeriesPlan& plan, const SeriesSizes& sizes,
                                            long last, const kernel::Kernel& kernel,
                                            const WorkerPool& pool, const ThreadStarter& start) {
  if (pool.size() < 2 || arctan5HeadTerms(plan.shownTerms, sizes.limbCount) < 1) return nullptr;
  try {
    return std::make_unique<Arctan5Thread>(plan, sizes.limbCount, last, kernel, start);
  } catch (const std::system_error&) {
  } catch (const std::bad_alloc&) {
  }
  return nullptr;
}

// Waits for arctan(1/5) with a yield point every few milliseconds, then
// shows its terms on the counter, in order, as if they had just been summed.
SeriesColumns awaitArctan5(Arctan5Thread& thread, const SeriesPlan& plan, TermListener& listener) {
  while (!thread.waitFor(kWaitSlice)) listener.yieldPoint();
  SeriesColumns columns = thread.take();
  // In batches with a yield point after each, as the rounds would have
  // them, and one more where the rounds of the silent terms would end.
  for (long k = 1; k <= plan.shownTerms; ++k) {
    listener.termStarted(plan.counterOffset, k);
    if (k % kShownTermsPerYield == 0 || k == plan.shownTerms) listener.yieldPoint();
  }
  listener.yieldPoint();
  return columns;
}

// arctan(1/239), then arctan(1/5), with `last` limbs and enough terms for the
// reference. With two threads or more, arctan(1/5) goes to a thread of its
// own and the rounds of arctan(1/239) use one thread fewer until it is done.
Pass runPass(const SeriesSizes& sizes, long last, const kernel::Kernel& kernel, WorkerPool& pool,
             TermListener& listener, const ThreadStarter& start) {
  const SeriesPlan plan239{kArctan239, sizes.terms239,
                           std::max(sizes.terms239, termsForReference(kArctan239, last)), 0};
  const SeriesPlan plan5{kArctan5, sizes.terms5,
                         std::max(sizes.terms5, termsForReference(kArctan5, last)), sizes.terms239};
  const std::unique_ptr<Arctan5Thread> atan5 =
      startArctan5(plan5, sizes, last, kernel, pool, start);
  const RoundThreads threads = [&] {
    return atan5 && !atan5->done() ? pool.size() - 1 : pool.size();
  };
  Pass pass;
  pass.terms = plan239.totalTerms + plan5.totalTerms;
  pass.atan239 = runSeries(plan239, last, kernel, pool, listener, {}, threads);
  pass.atan5 = atan5 ? awaitArctan5(*atan5, plan5, listener)
                     : runSeries(plan5, last, kernel, pool, listener);
  return pass;
}

// π on a pool of the asked threads (as many as the system grants).
PiDigits computeWithPool(const SeriesSizes& sizes, TermListener& listener,
                         const EngineOptions& options) {
  const kernel::Kernel& kernel = options.kernel ? *options.kernel : kernel::selectedKernel();
  const ThreadStarter start =
      options.startThread ? options.startThread : ThreadStarter(startThread);
  WorkerPool pool(options.threads > 0 ? options.threads : WorkerPool::defaultSize(), start);
  const auto shownLimbs = static_cast<std::size_t>(sizes.limbCount) + 1;
  std::optional<Limbs> shown;
  TermListener* currentListener = &listener;
  YieldOnly yieldOnly(listener);
  for (long guard = options.guardLimbs;; guard += 2) {
    // One pass on `guard` hidden limbs and a few more terms gives both the
    // shown result (its top limbs: a floor of a floor is a floor) and the
    // reference that checks it.
    const long last = sizes.limbCount + guard;
    const Pass pass = runPass(sizes, last, kernel, pool, *currentListener, start);
    if (!shown) {
      shown = carryColumns(pass.atan5.afterShownTerms, pass.atan239.afterShownTerms, shownLimbs);
    }
    const Limbs reference = carryColumns(pass.atan5.afterAllTerms, pass.atan239.afterAllTerms,
                                         static_cast<std::size_t>(last) + 1);
    if (auto pi = certifiedTruncation(reference, pass.terms + 2, sizes.limbCount)) {
      if (sameDecimals(*shown, *pi, sizes.requestedDecimals)) return {std::move(*shown), false};
      return {std::move(*pi), true};
    }
    currentListener = &yieldOnly;  // π has a long run of 0s or 9s there: look further
  }
}

}  // namespace

void checkDigitCount(double digitCount) {
  if (!(digitCount >= 0)) throw Error(Error::Kind::NegativeDigitCount);
  if (digitCount > kMaxDigits) throw Error(Error::Kind::DigitCountTooLarge);
}

PiDigits computePiDigits(const SeriesSizes& sizes, TermListener& listener,
                         const EngineOptions& options) {
  try {
    return computeWithPool(sizes, listener, options);
  } catch (const std::bad_alloc&) {
    throw Error(Error::Kind::OutOfMemory);
  } catch (const std::system_error& error) {
    throw Error(Error::Kind::OutOfResources, {}, error.code().message());
  }
}

PiDigits computePiDigits(double digitCount) {
  checkDigitCount(digitCount);
  SilentListener silent;
  return computePiDigits(sizeSeries(digitCount), silent);
}

}  // namespace zembra
