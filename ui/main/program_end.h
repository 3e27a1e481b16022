#pragma once

#include <functional>

namespace zembra::ui {

// Ending the program at once, from the exit command or by closing the main
// window, also in the middle of a run.
class ProgramEnd {
 public:
  // endEventLoop leaves the application's event loop; QCoreApplication::exit
  // in the program, a recorder in the tests.
  explicit ProgramEnd(std::function<void()> endEventLoop) : endEventLoop_(std::move(endEventLoop)) {}

  void request() {
    requested_ = true;
    endEventLoop_();
  }
  bool requested() const { return requested_; }

 private:
  std::function<void()> endEventLoop_;
  bool requested_ = false;
};

// Thrown from a run's event pump once the program is to end: it unwinds the
// run (whose unfinished result file is thrown away, the earlier one kept) so
// the event loop can return.
struct ProgramEnding {};

}  // namespace zembra::ui
