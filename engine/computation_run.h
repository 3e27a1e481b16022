#pragma once

#include "engine/digits/pi_digits.h"
#include "engine/run_window.h"

namespace zembra {

// One whole run as the window starts it: reads the digit count from the
// window, computes π while showing the progress, and shows the digit lines
// in the window's list (up to kListDigitLimit digits) and writes them to the
// result file that settings.resultFilePath names (unless kNoResultFile).
// Throws RunError, and passes on whatever a window call throws; what the run
// had shown by then stays in the window, and an earlier result file stays as
// it was.
void runComputation(RunWindow& window, const RunSettings& settings,
                    const EngineOptions& options = {});

}  // namespace zembra
