#include "engine/digits/arctan5_thread.h"

#include <stdexcept>

#include "engine/digits/arctan5_head.h"

namespace zembra {
namespace {

// The thread's listener: no counter, and a stop at every yield point once
// asked for.
class StopAtYieldPoints final : public TermListener {
 public:
  explicit StopAtYieldPoints(const std::atomic<bool>& stop) : stop_(stop) {}
  void termStarted(long, long) override {}
  void yieldPoint() override {
    if (stop_.load(std::memory_order_relaxed)) throw Arctan5Stopped{};
  }

 private:
  const std::atomic<bool>& stop_;
};

// The head, then the rest from the head's power on a pool of this thread
// alone; the head's columns are added to both sums (columns are carried only
// at the end, so their sum is what counts).
SeriesColumns sumArctan5(const SeriesPlan& plan, long shownLimbs, long last,
                         const kernel::Kernel& kernel, const std::atomic<bool>& stop) {
  const long headTerms = arctan5HeadTerms(plan.shownTerms, shownLimbs);
  Arctan5Head head = computeArctan5Head(headTerms, shownLimbs, last, stop);
  WorkerPool alone(1);
  StopAtYieldPoints listener(stop);
  SeriesColumns columns =
      runSeries(plan, last, kernel, alone, listener, {headTerms + 1, std::move(head.power)});
  for (std::size_t j = 0; j < head.columns.size(); ++j) {
    columns.afterShownTerms[j] += head.columns[j];
    columns.afterAllTerms[j] += head.columns[j];
  }
  return columns;
}

}  // namespace

Arctan5Thread::Arctan5Thread(const SeriesPlan& plan, long shownLimbs, long last,
                             const kernel::Kernel& kernel, const ThreadStarter& start) {
  thread_ =
      start([this, plan, shownLimbs, last, &kernel] { compute(plan, shownLimbs, last, kernel); });
}

Arctan5Thread::~Arctan5Thread() {
  stop_.store(true, std::memory_order_relaxed);
  if (thread_.joinable()) thread_.join();
}

void Arctan5Thread::compute(const SeriesPlan& plan, long shownLimbs, long last,
                            const kernel::Kernel& kernel) {
  std::optional<SeriesColumns> columns;
  std::exception_ptr failure;
  try {
    columns = sumArctan5(plan, shownLimbs, last, kernel, stop_);
  } catch (const Arctan5Stopped&) {
    // Nobody waits for the result any more.
  } catch (...) {
    failure = std::current_exception();
  }
  {
    std::lock_guard lock(mutex_);
    columns_ = std::move(columns);
    failure_ = failure;
    done_.store(true, std::memory_order_release);
  }
  finished_.notify_all();
}

bool Arctan5Thread::waitFor(std::chrono::microseconds timeout) {
  std::unique_lock lock(mutex_);
  return finished_.wait_for(lock, timeout, [this] { return done(); });
}

SeriesColumns Arctan5Thread::take() {
  std::unique_lock lock(mutex_);
  finished_.wait(lock, [this] { return done(); });
  if (failure_) std::rethrow_exception(failure_);
  if (!columns_) throw std::logic_error("arctan(1/5) taken twice");
  SeriesColumns columns = std::move(*columns_);
  columns_.reset();
  return columns;
}

}  // namespace zembra
