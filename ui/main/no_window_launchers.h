#pragma once

#include "ui/main/launchers.h"

namespace zembra::ui {

// Launchers whose windows close at once, without a choice, and which let a
// run replace any file: for the benchmark and the screenshots, where no
// window opens.
class NoWindowLaunchers final : public Launchers {
 public:
  using Launchers::Launchers;

 protected:
  bool openFileSelection(const QString&) override { return false; }
  void openResultViewer() override {}
  void openCounterOptions() override {}
  void openHelp() override {}
  void openVersion() override {}
  bool askToReplace(const std::string&) override { return true; }
};

}  // namespace zembra::ui
