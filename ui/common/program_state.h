#pragma once

#include <string>

#include "engine/computation_run.h"

namespace zembra::ui {

// The result file path that means "no result file": one blank.
inline const std::string kNoResultFile(" ");

// The program's state, one instance for the process, shared by the windows:
// the settings a run reads, the result file, and what the result viewer read
// last.
struct ProgramState {
  RunSettings run;
  std::string resultFilePath{kNoResultFile};
  std::string lastViewedLine;  // the last line the result viewer read
};

}  // namespace zembra::ui
