#include "engine/compute_pi.h"

#include <algorithm>
#include <memory>
#include <new>

#include "engine/digit_lines.h"
#include "engine/result_file.h"
#include "engine/run_error.h"

namespace zembra {
namespace {

double readDigitCount(Window& window) {
  const std::optional<double> count = window.toNumber(window.digitText());
  if (!count) throw RunError(RunError::Kind::NotANumber);
  return *count;
}

double readCheckedDigitCount(Window& window) {
  const double count = readDigitCount(window);
  checkDigitCount(count);
  return count;
}

// The counter and the event pump while the series run. Both globals are read
// at every test, so a change made while events are pumped counts at once.
class RunProgress final : public TermListener {
 public:
  RunProgress(Window& window, const GlobalState& state) : window_(window), state_(state) {}

  void termStarted(long counterOffset, long k) override {
    // The options dialog keeps CounterStep at 1 or more; treat anything
    // smaller as 1 rather than divide by zero.
    const long step = std::max<long>(1, state_.CounterStep);
    if (k % step != 0) return;
    window_.setCaption(Label::Label11, std::to_string(counterOffset + k));
    window_.refresh(Label::Label11);
    window_.pumpEvents();
  }

  void yieldPoint() override {
    if (state_.RunMode == 0) window_.pumpEvents();
  }

 private:
  Window& window_;
  const GlobalState& state_;
};

void resetLabels(Window& window, const GlobalState& state) {
  window.clearList();
  for (Label label : {Label::Label11, Label::Label2, Label::Label3, Label::Label25}) {
    window.setCaption(label, " ");
  }
  window.setCaption(Label::Label1, state.ResultFilePath);
  window.refresh(Label::Label1);
}

// The digit count is read afresh for each quantity, like every other reader of
// the digit text; the three readings agree, as no events run in between.
SeriesSizes readSizes(Window& window) {
  SeriesSizes sizes;
  sizes.terms239 = static_cast<long>(Terms239(readCheckedDigitCount(window)));
  sizes.terms5 = static_cast<long>(Terms5(readCheckedDigitCount(window)));
  const double count = readCheckedDigitCount(window);
  sizes.limbCount = static_cast<long>(LimbCount(count));
  sizes.requestedDecimals = static_cast<long>(count);
  return sizes;
}

void emitResult(Window& window, const PiDigits& digits, ResultFile* file) {
  if (file) {
    file->writeLine("円周率の計算  桁数＝" + window.digitText());
    file->writeLine("開始時刻＝" + window.caption(Label::Label2) + "  終了時刻＝" +
                    window.caption(Label::Label25));
  }
  forEachDigitLine(digits.limbs, [&](const std::string& line) {
    if (readDigitCount(window) < kListDigitLimit + 1) window.appendList(line);
    if (file) file->writeLine(line);
  });
  if (file) file->commit();
}

void run(Window& window, GlobalState& state, const EngineOptions& options) {
  resetLabels(window, state);
  std::unique_ptr<ResultFile> file;
  if (window.caption(Label::Label1) != " ") {
    file = std::make_unique<ResultFile>(window.caption(Label::Label1));
  }
  const SeriesSizes sizes = readSizes(window);
  const std::string total = std::to_string(sizes.terms239 + sizes.terms5);
  window.setCaption(Label::Label3, total);
  window.setCaption(Label::Label2, window.longTimeNow());
  window.refresh(Label::Label2);

  RunProgress progress(window, state);
  const PiDigits digits = computePiDigits(sizes, progress, options);

  window.setCaption(Label::Label25, window.longTimeNow());
  window.refresh(Label::Label25);
  window.setCaption(Label::Label11, total);
  window.pumpEvents();
  emitResult(window, digits, file.get());
}

}  // namespace

void ComputePi(Window& window, GlobalState& state, const EngineOptions& options) {
  try {
    run(window, state, options);
  } catch (const std::bad_alloc&) {
    throw RunError(RunError::Kind::OutOfMemory);
  }
}

}  // namespace zembra
