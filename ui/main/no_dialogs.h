#pragma once

#include "ui/main/dialog_host.h"

namespace zembra::ui {

// Secondary windows that close at once, without a choice: for the benchmark,
// where no window opens.
class NoDialogs final : public DialogHost {
 public:
  void showFileSelection(const QString&) override {}
  void showVersion() override {}
  void showCounterOptions() override {}
  void showHelp() override {}
  void showResultViewer() override {}
};

}  // namespace zembra::ui
