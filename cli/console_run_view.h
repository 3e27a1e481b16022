#pragma once

#include <cstdio>
#include <optional>

#include "cli/digit_finder.h"
#include "cli/progress_bar.h"
#include "engine/run_view.h"

namespace zembra::cli {

// A run on a terminal: pumping events redraws the progress bar with the
// counter and the term total; the digit lines go to the finder when there is
// one, else to `out` when the run writes no result file (the result file is
// the output otherwise); notes go to `err`, and a failure is kept for the
// tool to report.
class ConsoleRunView final : public RunView {
 public:
  ConsoleRunView(ProgressBar& progress, std::FILE* out, std::FILE* err,
                 DigitFinder* finder = nullptr);

  void runStarted(const std::optional<std::string>& resultFile) override {
    printsLines_ = !resultFile;
  }
  void showTermTotal(long total) override { termTotal_ = total; }
  void showStartTime(const std::string&) override {}
  void showCounter(long counter) override { counter_ = counter; }
  // The progress bar is cleared for good before the first digit line.
  void showEndTime(const std::string&) override;
  void showDigitLine(const std::string& line) override;
  // Said on standard error, where the progress bar goes.
  void showLeftoverBackup(const std::string& backup) override;
  void runFailed(const Error& error) override;
  void pumpEvents() override;

  const std::optional<Error>& failure() const { return failure_; }

 private:
  ProgressBar& progress_;
  std::FILE* out_;
  std::FILE* err_;
  DigitFinder* finder_;
  bool printsLines_ = false;
  bool computationDone_ = false;
  long counter_ = 0;
  long termTotal_ = 0;
  std::optional<Error> failure_;
};

}  // namespace zembra::cli
