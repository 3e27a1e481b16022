#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "engine/digits/pi_digits.h"
#include "engine/run_view.h"

namespace zembra {

// What a run reads of the program's settings while it goes on, afresh at
// every test, so that a change made while events are pumped counts at once.
struct RunSettings {
  std::int16_t counterStep = 1;     // the counter shows every counterStep-th term
  bool yieldWhileComputing = true;  // let events in between rounds, not only at
                                    // counter updates
};

// One run, as its caller asks for it.
struct RunRequest {
  double digitCount = 0;
  std::string digitCountText;             // as the user typed it, for the file's first line
  std::optional<std::string> resultFile;  // none: the digits go to the view only
  // The time of day as the run shows it and writes it to the result file,
  // asked at the start and at the end of the computation.
  std::function<std::string()> timeOfDay;
  const RunSettings* settings = nullptr;  // nullptr: the defaults
  // A result file that is a named pipe no program reads yet: wait for a
  // reader (the command line) rather than refuse it before computing (the
  // window, which must not hang).
  bool waitForPipeReader = false;
};

// One whole run: computes π to the requested digit count while the view
// hears the progress, hands every digit line to the view and writes them to
// the result file, if one is asked for. A failure is told to the view
// (runFailed), after an unfinished result file has been thrown away; what
// a view call throws passes on, with the same clean-up.
void runComputation(const RunRequest& request, RunView& view, const EngineOptions& options = {});

}  // namespace zembra
