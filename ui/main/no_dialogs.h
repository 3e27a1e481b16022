#pragma once

#include "ui/main/dialog_host.h"

namespace zembra::ui {

// Stands in for the secondary windows until they exist: every window closes
// at once, without a choice, so no file is confirmed and nothing changes.
class NoDialogs final : public DialogHost {
 public:
  void showFileSelection(const QString&) override {}
  void showVersion() override {}
  void showCounterOptions() override {}
  void showHelp() override {}
  void showResultViewer() override {}
};

}  // namespace zembra::ui
