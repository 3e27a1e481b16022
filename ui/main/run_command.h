#pragma once

#include <QTime>
#include <functional>
#include <string>

#include "engine/run_window.h"
#include "ui/main/digit_entry.h"
#include "ui/main/event_pump.h"
#include "ui/main/main_window.h"
#include "ui/main/program_end.h"

namespace zembra::ui {

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
