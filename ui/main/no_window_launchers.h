#pragma once

#include "ui/common/window_openers.h"

namespace zembra::ui {

// Windows that close at once, without a choice, and a run that may replace
// any file: for the benchmark and the screenshots, where no window opens.
class NoWindowLaunchers final : public WindowOpeners {
 public:
  bool openFileSelection(const QString&) override { return false; }
  void openResultViewer() override {}
  void openCounterOptions() override {}
  void openHelp() override {}
  void openVersion() override {}
  bool askToReplace(const std::string&) override { return true; }
};

}  // namespace zembra::ui
