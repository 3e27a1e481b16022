#pragma once

#include <QTime>
#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "engine/computation_run.h"
#include "engine/run_view.h"
#include "ui/common/program_state.h"
#include "ui/main/digit_entry.h"
#include "ui/main/main_window.h"

namespace zembra::ui {

// Ending the program at once, from the exit command or by closing the main
// window, also in the middle of a run.
class ProgramEnd {
 public:
  // endEventLoop leaves the application's event loop; QCoreApplication::exit
  // in the program, a recorder in the tests.
  explicit ProgramEnd(std::function<void()> endEventLoop)
      : endEventLoop_(std::move(endEventLoop)) {}

  void request() {
    requested_ = true;
    endEventLoop_();
  }
  bool requested() const { return requested_; }

 private:
  std::function<void()> endEventLoop_;
  bool requested_ = false;
};

// Thrown from a run's event pump once the program is to end: it unwinds the
// run (whose unfinished result file is thrown away, the earlier one kept) so
// the event loop can return.
struct ProgramEnding {};

// Lets pending window events run from inside a run, at most about every
// 15 ms: a pump that comes sooner after the previous one does nothing. A run
// may ask for tens of thousands of pumps a second, and each costs a repaint.
class EventPump {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  static constexpr std::chrono::milliseconds kInterval{15};

  explicit EventPump(Clock clock = &std::chrono::steady_clock::now);

  // Whether a pump now would let events run.
  bool due() const;
  // Lets pending events run if due.
  void pump();
  // Lets pending events run in any case.
  void pumpNow();

 private:
  Clock clock_;
  std::optional<std::chrono::steady_clock::time_point> last_;
};

// The start and end time boxes and the result file's header show the same
// text: the long time of `time` where it fits the narrower box.
std::string timeForTimeBoxes(const MainWindowControls& controls, const QTime& time);

// The main window as a run shows itself in it. The run starts by emptying
// the list and blanking the start time, term total, counter and end time;
// the result file is shown at once. The labels change at every step the run
// makes; painting follows the event pump: the start time, the counter while
// computing and the end time are to be painted at once, and are painted when
// the next pump is due; the end of the computation is painted in any case,
// and its pump always runs. The digit lines go into the list for counts
// below kListDigitLimit + 1; a failure is kept for the run command to show.
class MainRunView final : public RunView {
 public:
  MainRunView(MainWindow& window, EventPump& pump, const ProgramEnd& programEnd, double digitCount);

  void runStarted(const std::optional<std::string>& resultFile) override;
  void showTermTotal(long total) override;
  void showStartTime(const std::string& time) override;
  void showCounter(long counter) override;
  void showEndTime(const std::string& time) override;
  void showDigitLine(const std::string& line) override;
  void showLeftoverBackup(const std::string& backup) override;
  void runFailed(const Error& error) override { failure_ = error; }
  // Throws ProgramEnding once the program is to end.
  void pumpEvents() override;

  const std::optional<Error>& failure() const { return failure_; }

 private:
  void show(CaptionLabel* label, const QString& text, bool paintNow);

  const MainWindowControls& controls_;
  EventPump& pump_;
  const ProgramEnd& programEnd_;
  bool listed_;
  bool computationDone_ = false;
  std::optional<Error> failure_;
};

// The run command: a whole run of the engine on the window's thread, for a
// digit count above 0. An existing file that is not a result file is
// replaced only when `confirmReplace` says yes, asked before anything of the
// run happens. While a run goes on the digit entry is locked and a second
// run command does nothing; a failed run is reported in a message box, and
// the window keeps what the run had shown.
class RunCommand {
 public:
  using ReplaceQuestion = std::function<bool(const std::string& path)>;

  RunCommand(const ProgramState& state, MainWindow& window, DigitEntry& entry,
             const ProgramEnd& programEnd, ReplaceQuestion confirmReplace);

  void run();
  bool running() const { return running_; }
  // Replaces the system clock for the start and end times (for pictures
  // that must not change from one rendering to the next).
  void setClock(std::function<QTime()> clock) { clock_ = std::move(clock); }

 private:
  void runEngine(const RunRequest& request);

  const ProgramState& state_;
  MainWindow& window_;
  DigitEntry& entry_;
  const ProgramEnd& programEnd_;
  ReplaceQuestion confirmReplace_;
  EventPump pump_;
  std::function<QTime()> clock_ = &QTime::currentTime;
  bool running_ = false;
};

}  // namespace zembra::ui
