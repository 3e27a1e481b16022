#include "ui/main/run_command.h"

#include <optional>

#include "engine/computation_run.h"
#include "engine/result_header.h"
#include "engine/run_error.h"
#include "ui/common/locale_number.h"
#include "ui/main/main_run_window.h"
#include "ui/main/run_failure_message.h"

namespace zembra::ui {
namespace {

// Locks the digit entry and marks the run for as long as it exists.
class RunInProgress {
 public:
  RunInProgress(bool& running, DigitEntry& entry) : running_(running), entry_(entry) {
    running_ = true;
    entry_.setLocked(true);
  }
  ~RunInProgress() {
    entry_.setLocked(false);
    running_ = false;
  }
  RunInProgress(const RunInProgress&) = delete;
  RunInProgress& operator=(const RunInProgress&) = delete;

 private:
  bool& running_;
  DigitEntry& entry_;
};

}  // namespace

RunCommand::RunCommand(const RunSettings& settings, MainWindow& window, DigitEntry& entry,
                       const ProgramEnd& programEnd, ReplaceQuestion confirmReplace)
    : settings_(settings),
      window_(window),
      entry_(entry),
      programEnd_(programEnd),
      confirmReplace_(std::move(confirmReplace)) {}

void RunCommand::run() {
  if (running_) return;
  const std::optional<double> count = parseLocaleNumber(window_.controls().digitCountEdit->text());
  if (!count || *count <= 0) return;
  const std::string& target = settings_.resultFilePath;
  if (target != kNoResultFile && replacesOtherContent(target) && !confirmReplace_(target)) return;
  runEngine();
}

void RunCommand::runEngine() {
  std::optional<RunError> failure;
  {
    RunInProgress inProgress(running_, entry_);
    MainRunWindow runWindow(window_, pump_, programEnd_, clock_);
    try {
      runComputation(runWindow, settings_);
    } catch (const RunError& error) {
      failure = error;
    } catch (const ProgramEnding&) {
      return;  // the event loop is ending; nothing more to show
    } catch (const std::exception& error) {
      failure = RunError(RunError::Kind::Internal, {}, error.what());
    }
  }
  if (failure) showRunFailure(&window_, *failure);
}

}  // namespace zembra::ui
