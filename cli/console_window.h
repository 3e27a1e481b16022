#pragma once

#include <map>

#include "cli/progress_bar.h"
#include "engine/window.h"

namespace zembra::cli {

// The main window's part in a run, on a terminal: the digit count is fixed,
// the labels are kept in memory, the list is dropped (the result file is the
// output), and pumping events redraws the progress bar.
class ConsoleWindow final : public Window {
 public:
  ConsoleWindow(std::string digitText, ProgressBar& progress);

  std::string digitText() override;
  std::optional<double> toNumber(const std::string& text) override;
  void setCaption(Label label, const std::string& caption) override;
  std::string caption(Label label) override;
  void refresh(Label) override {}
  void clearList() override {}
  void appendList(const std::string&) override {}
  void pumpEvents() override;
  std::string longTimeNow() override;

 private:
  std::string digitText_;
  std::map<Label, std::string> captions_;
  double termsDone_ = 0;
  double termsTotal_ = 0;
  ProgressBar& progress_;
};

// The time of day as H:MM:SS, the long time format of a Japanese system.
std::string clockTime();

}  // namespace zembra::cli
