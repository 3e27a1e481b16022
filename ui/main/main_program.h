#pragma once

#include <functional>

#include "ui/main/digit_entry.h"
#include "ui/main/launchers.h"
#include "ui/main/main_window.h"
#include "ui/main/run_command.h"

namespace zembra::ui {

// The main window with everything behind it: the digit entry, the run
// command, and every menu item and picture button connected to its command;
// the commands open their windows through `windows`.
class MainProgram {
 public:
  // endEventLoop is how the program ends (see ProgramEnd).
  MainProgram(ProgramState& state, WindowOpeners& windows, std::function<void()> endEventLoop);

  MainWindow& window() { return window_; }
  RunCommand& runCommand() { return run_; }
  const ProgramEnd& programEnd() const { return programEnd_; }

 private:
  void connectMenus();
  void connectPictureButtons();

  ProgramEnd programEnd_;
  MainWindow window_;
  Launchers launchers_;
  DigitEntry entry_;
  RunCommand run_;
};

}  // namespace zembra::ui
