#include "engine/computation_run.h"

#include <algorithm>
#include <memory>
#include <new>

#include "engine/digit_lines.h"
#include "engine/error.h"
#include "engine/result_file/result_file.h"
#include "engine/result_header.h"

namespace zembra {
namespace {

// The counter and the event pump while the series run. The settings are read
// at every test, so a change made while events are pumped counts at once.
class RunProgress final : public TermListener {
 public:
  RunProgress(RunView& view, const RunSettings& settings) : view_(view), settings_(settings) {}

  void termStarted(long counterOffset, long k) override {
    // The options dialog keeps the step at 1 or more; treat anything smaller
    // as 1 rather than divide by zero.
    const long step = std::max<long>(1, settings_.counterStep);
    if (k % step != 0) return;
    view_.showCounter(counterOffset + k);
    view_.pumpEvents();
  }

  void yieldPoint() override {
    if (settings_.yieldWhileComputing) view_.pumpEvents();
  }

 private:
  RunView& view_;
  const RunSettings& settings_;
};

// Opened before computing, so that every failure that can be known at the
// start comes before the computation. A full pipe pumps the view's events.
std::unique_ptr<ResultFile> openResultFile(const RunRequest& request, RunView& view,
                                           const SeriesSizes& sizes) {
  ResultFileOptions options;
  options.waitForPipeReader = request.waitForPipeReader;
  options.whileWaiting = [&view] { view.pumpEvents(); };
  options.expectedBytes = resultFileBytes(request.digitCountText, sizes.limbCount);
  options.leftoverBackup = [&view](const std::string& backup) { view.showLeftoverBackup(backup); };
  return std::make_unique<ResultFile>(*request.resultFile, std::move(options));
}

std::string timeOfDay(const RunRequest& request) {
  return request.timeOfDay ? request.timeOfDay() : std::string();
}

struct RunTimes {
  std::string start, end;
};

void emitResult(const RunRequest& request, RunView& view, const PiDigits& digits,
                const RunTimes& times, ResultFile* file) {
  if (file) {
    file->writeLine(digitCountHeader(request.digitCountText));
    file->writeLine(timesHeader(times.start, times.end));
  }
  forEachDigitLine(digits.limbs, [&](const std::string& line) {
    view.showDigitLine(line);
    if (file) file->writeLine(line);
  });
  if (file) file->commit();
}

void run(const RunRequest& request, RunView& view, const EngineOptions& options) {
  static const RunSettings kDefaults;
  const RunSettings& settings = request.settings ? *request.settings : kDefaults;
  view.runStarted(request.resultFile);
  checkDigitCount(request.digitCount);
  const SeriesSizes sizes = sizeSeries(request.digitCount);
  std::unique_ptr<ResultFile> file;
  if (request.resultFile) file = openResultFile(request, view, sizes);
  const long total = sizes.terms239 + sizes.terms5;
  view.showTermTotal(total);
  RunTimes times;
  times.start = timeOfDay(request);
  view.showStartTime(times.start);

  RunProgress progress(view, settings);
  const PiDigits digits = computePiDigits(sizes, progress, options);

  times.end = timeOfDay(request);
  view.showEndTime(times.end);
  view.showCounter(total);
  view.pumpEvents();
  emitResult(request, view, digits, times, file.get());
}

}  // namespace

void runComputation(const RunRequest& request, RunView& view, const EngineOptions& options) {
  std::optional<Error> failure;
  try {
    run(request, view, options);
  } catch (const Error& error) {
    failure = error;
  } catch (const std::bad_alloc&) {
    failure = Error(Error::Kind::OutOfMemory);
  } catch (const std::exception& error) {
    failure = Error(Error::Kind::Internal, {}, error.what());
  }
  if (failure) view.runFailed(*failure);
}

}  // namespace zembra
