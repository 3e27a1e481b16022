#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What a run needs of the window that shows it, and the settings a run reads.
// The program's main window implements RunWindow with its real controls; the
// command-line tool and the tests implement it with substitutes of their own.

namespace zembra {

// The result file path that means "no result file": one blank.
inline const std::string kNoResultFile(" ");

class RunWindow {
 public:
  virtual ~RunWindow() = default;

  // The digit count as the user typed it, read afresh at every call.
  virtual std::string digitCountText() = 0;
  // The user's locale's number conversion, the same the digit entry uses;
  // nullopt when the text is not a number.
  virtual std::optional<double> toNumber(const std::string& text) = 0;
  // The time of day in the user's long time format.
  virtual std::string timeOfDay() = 0;

  // A run begins: the digit list is emptied, the start time, term total,
  // counter and end time are blanked, and the result file the run will
  // write (kNoResultFile for none) is shown at once.
  virtual void runStarted(const std::string& resultFile) = 0;
  virtual void showTermTotal(long total) = 0;               // not painted yet
  virtual void showStartTime(const std::string& time) = 0;  // painted at once
  virtual void showCounter(long counter) = 0;               // painted at once
  // The computation is done: the end time, painted at once; the next pump
  // always runs.
  virtual void showEndTime(const std::string& time) = 0;
  virtual void showDigitLine(const std::string& line) = 0;  // added to the list
  // The result file holds a copy of its earlier content that a run stopped
  // while it overwrote the file left behind, at `backup`: the user should
  // know, before anything else happens to the file.
  virtual void showLeftoverBackup(const std::string& backup) = 0;

  // Lets pending window events run; the user may use every window meanwhile.
  virtual void pumpEvents() = 0;
};

// What a run reads of the program's settings. Read at every use, so a change
// made while events are pumped counts from the next test on.
struct RunSettings {
  std::string resultFilePath{kNoResultFile};
  std::int16_t counterStep = 1;     // the counter shows every counterStep-th term
  bool yieldWhileComputing = true;  // let window events in between rounds, not
                                    // only at counter updates
  // A result file that is a named pipe no program reads yet: wait for a
  // reader (the command line) rather than refuse it before computing (the
  // window, which must not hang).
  bool waitForPipeReader = false;
};

}  // namespace zembra
