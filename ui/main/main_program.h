#pragma once

#include <functional>

#include "ui/main/digit_entry.h"
#include "ui/main/launchers.h"
#include "ui/main/main_window.h"
#include "ui/main/program_end.h"
#include "ui/main/run_command.h"

namespace zembra::ui {

// The main window with everything behind it: the digit entry, the run
// command, and every menu item and picture button connected to its command.
class MainProgram {
 public:
  // endEventLoop is how the program ends (see ProgramEnd).
  MainProgram(ProgramState& state, Launchers& launchers, std::function<void()> endEventLoop);

  MainWindow& window() { return window_; }
  RunCommand& runCommand() { return run_; }
  const ProgramEnd& programEnd() const { return programEnd_; }

 private:
  void connectMenus(Launchers& launchers);
  void connectPictureButtons(Launchers& launchers);

  ProgramEnd programEnd_;
  MainWindow window_;
  DigitEntry entry_;
  RunCommand run_;
};

}  // namespace zembra::ui
