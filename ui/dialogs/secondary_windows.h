#pragma once

#include "engine/window.h"
#include "ui/main/dialog_host.h"

namespace zembra::ui {

// Opens the real secondary windows: each is built afresh (so its load runs
// every time), shown modally over the window that is active, and deleted
// when it closes.
class SecondaryWindows final : public DialogHost {
 public:
  explicit SecondaryWindows(GlobalState& state);

  void showFileSelection(const QString& title) override;
  void showVersion() override;
  void showCounterOptions() override;
  void showHelp() override;
  void showResultViewer() override;

 private:
  GlobalState& state_;
};

}  // namespace zembra::ui
