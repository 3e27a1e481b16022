#pragma once

#include <functional>

#include "engine/window.h"
#include "ui/main/commands.h"
#include "ui/main/dialog_host.h"
#include "ui/main/digit_entry.h"
#include "ui/main/form1.h"
#include "ui/main/program_end.h"
#include "ui/main/run_command.h"
#include "ui/main/zembra1.h"

namespace zembra::ui {

// The main window with everything behind it: the digit entry, the launchers,
// the run command and the handlers of the commands.
class MainProgram {
 public:
  // endEventLoop is how the program ends (see ProgramEnd).
  MainProgram(GlobalState& state, DialogHost& dialogs, std::function<void()> endEventLoop);

  Form1& form() { return form_; }
  RunCommand& runCommand() { return run_; }
  const ProgramEnd& programEnd() const { return programEnd_; }

 private:
  ProgramEnd programEnd_;
  Form1 form_;
  DigitEntry entry_;
  Zembra1 zembra1_;
  RunCommand run_;
  Commands commands_;
};

}  // namespace zembra::ui
