#pragma once

#include "engine/pi_digits.h"
#include "engine/window.h"

namespace zembra {

// One whole run: reads the digit count from the window, computes π, shows the
// progress, and emits the digit lines to the list (below 45,001 digits) and
// to the result file named by state.ResultFilePath (unless it is " ").
// Throws RunError, and passes on whatever a window operation throws; what the
// run had shown by then stays in the window, and an earlier result file stays
// as it was.
void ComputePi(Window& window, GlobalState& state, const EngineOptions& options = {});

// The largest digit count whose lines go into the list.
inline constexpr double kListDigitLimit = 45000;

}  // namespace zembra
