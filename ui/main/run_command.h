#pragma once

#include <QTime>
#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "engine/run_window.h"
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

// The main window as a run sees it. The labels change at every step the run
// makes; painting follows the event pump: a value that is to be painted at
// once is painted only when the next pump is due, except at the end of the
// computation, whose pump always runs.
class MainRunWindow final : public RunWindow {
 public:
  // `clock` gives the time of day for the start and end times.
  MainRunWindow(MainWindow& window, EventPump& pump, const ProgramEnd& programEnd,
                std::function<QTime()> clock);

  std::string digitCountText() override;
  std::optional<double> toNumber(const std::string& text) override;
  std::string timeOfDay() override;
  void runStarted(const std::string& resultFile) override;
  void showTermTotal(long total) override;
  void showStartTime(const std::string& time) override;
  void showCounter(long counter) override;
  void showEndTime(const std::string& time) override;
  void showDigitLine(const std::string& line) override;
  void showLeftoverBackup(const std::string& backup) override;
  // Throws ProgramEnding once the program is to end.
  void pumpEvents() override;

 private:
  void show(CaptionLabel* label, const QString& text, bool paintNow);

  const MainWindowControls& controls_;
  EventPump& pump_;
  const ProgramEnd& programEnd_;
  std::function<QTime()> clock_;
  bool computationDone_ = false;
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

  RunCommand(const RunSettings& settings, MainWindow& window, DigitEntry& entry,
             const ProgramEnd& programEnd, ReplaceQuestion confirmReplace);

  void run();
  bool running() const { return running_; }
  // Replaces the system clock for the start and end times (for pictures
  // that must not change from one rendering to the next).
  void setClock(std::function<QTime()> clock) { clock_ = std::move(clock); }

 private:
  void runEngine();

  const RunSettings& settings_;
  MainWindow& window_;
  DigitEntry& entry_;
  const ProgramEnd& programEnd_;
  ReplaceQuestion confirmReplace_;
  EventPump pump_;
  std::function<QTime()> clock_ = &QTime::currentTime;
  bool running_ = false;
};

}  // namespace zembra::ui
