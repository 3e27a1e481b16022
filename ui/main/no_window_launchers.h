#pragma once

#include "ui/main/launchers.h"

namespace zembra::ui {

// Launchers whose windows close at once, without a choice: for the
// benchmark and the screenshots, where no window opens.
class NoWindowLaunchers final : public Launchers {
 public:
  using Launchers::Launchers;

 protected:
  void openFileSelection(const QString&) override {}
  void openResultViewer() override {}
  void openCounterOptions() override {}
  void openHelp() override {}
  void openVersion() override {}
};

}  // namespace zembra::ui
