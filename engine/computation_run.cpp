#include "engine/computation_run.h"

#include <algorithm>
#include <memory>
#include <new>

#include "engine/digit_lines.h"
#include "engine/result_file/result_file.h"
#include "engine/result_header.h"
#include "engine/run_error.h"

namespace zembra {
namespace {

double readDigitCount(RunWindow& window) {
  const std::optional<double> count = window.toNumber(window.digitCountText());
  if (!count) throw RunError(RunError::Kind::NotANumber);
  return *count;
}

double readCheckedDigitCount(RunWindow& window) {
  const double count = readDigitCount(window);
  checkDigitCount(count);
  return count;
}

// The counter and the event pump while the series run. The settings are read
// at every test, so a change made while events are pumped counts at once.
class RunProgress final : public TermListener {
 public:
  RunProgress(RunWindow& window, const RunSettings& settings)
      : window_(window), settings_(settings) {}

  void termStarted(long counterOffset, long k) override {
    // The options dialog keeps the step at 1 or more; treat anything smaller
    // as 1 rather than divide by zero.
    const long step = std::max<long>(1, settings_.counterStep);
    if (k % step != 0) return;
    window_.showCounter(counterOffset + k);
    window_.pumpEvents();
  }

  void yieldPoint() override {
    if (settings_.yieldWhileComputing) window_.pumpEvents();
  }

 private:
  RunWindow& window_;
  const RunSettings& settings_;
};

// The digit count is read afresh for each quantity, like every other reader of
// the digit text; the three readings agree, as no events run in between.
SeriesSizes readSizes(RunWindow& window) {
  SeriesSizes sizes;
  sizes.terms239 = static_cast<long>(Terms239(readCheckedDigitCount(window)));
  sizes.terms5 = static_cast<long>(Terms5(readCheckedDigitCount(window)));
  const double count = readCheckedDigitCount(window);
  sizes.limbCount = static_cast<long>(LimbCount(count));
  sizes.requestedDecimals = static_cast<long>(count);
  return sizes;
}

// Opened before computing, so that every failure that can be known at the
// start comes before the computation. A full pipe pumps the window's events.
std::unique_ptr<ResultFile> openResultFile(RunWindow& window, const RunSettings& settings,
                                           const SeriesSizes& sizes) {
  ResultFileOptions options;
  options.waitForPipeReader = settings.waitForPipeReader;
  options.whileWaiting = [&window] { window.pumpEvents(); };
  options.expectedBytes = resultFileBytes(window.digitCountText(), sizes.limbCount);
  options.leftoverBackup = [&window](const std::string& backup) {
    window.showLeftoverBackup(backup);
  };
  return std::make_unique<ResultFile>(settings.resultFilePath, std::move(options));
}

struct RunTimes {
  std::string start, end;
};

void emitResult(RunWindow& window, const PiDigits& digits, const RunTimes& times,
                ResultFile* file) {
  if (file) {
    file->writeLine(digitCountHeader(window.digitCountText()));
    file->writeLine(timesHeader(times.start, times.end));
  }
  forEachDigitLine(digits.limbs, [&](const std::string& line) {
    if (readDigitCount(window) < kListDigitLimit + 1) window.showDigitLine(line);
    if (file) file->writeLine(line);
  });
  if (file) file->commit();
}

void run(RunWindow& window, const RunSettings& settings, const EngineOptions& options) {
  const std::string resultFile = settings.resultFilePath;
  window.runStarted(resultFile);
  const SeriesSizes sizes = readSizes(window);
  std::unique_ptr<ResultFile> file;
  if (resultFile != kNoResultFile) file = openResultFile(window, settings, sizes);
  const long total = sizes.terms239 + sizes.terms5;
  window.showTermTotal(total);
  RunTimes times;
  times.start = window.timeOfDay();
  window.showStartTime(times.start);

  RunProgress progress(window, settings);
  const PiDigits digits = computePiDigits(sizes, progress, options);

  times.end = window.timeOfDay();
  window.showEndTime(times.end);
  window.showCounter(total);
  window.pumpEvents();
  emitResult(window, digits, times, file.get());
}

}  // namespace

void runComputation(RunWindow& window, const RunSettings& settings, const EngineOptions& options) {
  try {
    run(window, settings, options);
  } catch (const std::bad_alloc&) {
    throw RunError(RunError::Kind::OutOfMemory);
  }
}

}  // namespace zembra
