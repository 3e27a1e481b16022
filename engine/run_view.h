#pragma once

#include <optional>
#include <string>

#include "engine/error.h"

// What a run tells whoever shows it: events only, in the order they happen.
// The program's main window shows them in its controls, the command-line
// tool on the terminal, the tests record them.

namespace zembra {

class RunView {
 public:
  virtual ~RunView() = default;

  // A run begins; it will write `resultFile`, if there is one.
  virtual void runStarted(const std::optional<std::string>& resultFile) = 0;
  // The terms the counter will count, both series together.
  virtual void showTermTotal(long total) = 0;
  virtual void showStartTime(const std::string& time) = 0;
  virtual void showCounter(long counter) = 0;
  // The computation is done.
  virtual void showEndTime(const std::string& time) = 0;
  // Every digit line of the result, first to last.
  virtual void showDigitLine(const std::string& line) = 0;
  // The result file holds a copy of its earlier content that a run stopped
  // while it overwrote the file left behind, at `backup`: the user should
  // know, before anything else happens to the file.
  virtual void showLeftoverBackup(const std::string& backup) = 0;
  // The run ends without a result; what it had shown stays shown, and an
  // earlier result file stays as it was.
  virtual void runFailed(const Error& error) = 0;

  // A point between two pieces of work where the view may let pending
  // events run (the window's) or redraw (the terminal's progress).
  virtual void pumpEvents() = 0;
};

}  // namespace zembra
