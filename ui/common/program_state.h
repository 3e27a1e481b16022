#pragma once

#include <string>

#include "engine/run_window.h"

namespace zembra::ui {

// The program's state, one instance for the process, shared by the windows:
// the settings a run reads, and what the result viewer read last.
struct ProgramState {
  RunSettings run;
  std::string lastViewedLine;  // the last line the result viewer read
};

}  // namespace zembra::ui
