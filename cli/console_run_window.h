#pragma once

#include "cli/progress_bar.h"
#include "engine/run_window.h"

namespace zembra::cli {

// A run's window on a terminal: the digit count is fixed, the list is dropped
// (the result file is the output), and pumping events redraws the progress
// bar with the counter and the term total.
class ConsoleRunWindow final : public RunWindow {
 public:
  // Notes go to `err`.
  ConsoleRunWindow(std::string digitCountText, ProgressBar& progress, std::FILE* err);

  std::string digitCountText() override { return digitCountText_; }
  std::optional<double> toNumber(const std::string& text) override;
  // The time of day as H:MM:SS, the long time format of a Japanese system.
  std::string timeOfDay() override;
  void runStarted(const std::string&) override {}
  void showTermTotal(long total) override { termTotal_ = total; }
  void showStartTime(const std::string&) override {}
  void showCounter(long counter) override { counter_ = counter; }
  void showEndTime(const std::string&) override {}
  void showDigitLine(const std::string&) override {}
  // Said on standard error, where the progress bar goes.
  void showLeftoverBackup(const std::string& backup) override;
  void pumpEvents() override { progress_.update(counter_, termTotal_); }

 private:
  std::string digitCountText_;
  long counter_ = 0;
  long termTotal_ = 0;
  ProgressBar& progress_;
  std::FILE* err_;
};

}  // namespace zembra::cli
