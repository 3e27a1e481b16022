#pragma once

#include "engine/window.h"
#include "ui/main/dialog_host.h"

class QWidget;

namespace zembra::ui {

// Opens the real secondary windows: each is built afresh (so its load runs
// every time), shown modally over the topmost window, and deleted when it
// closes.
class SecondaryWindows final : public DialogHost {
 public:
  explicit SecondaryWindows(GlobalState& state);

  // The window to open over when no other modal window is open.
  void setMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }

  void showFileSelection(const QString& title) override;
  void showVersion() override;
  void showCounterOptions() override;
  void showHelp() override;
  void showResultViewer() override;

 private:
  QWidget* owner() const;

  GlobalState& state_;
  QWidget* mainWindow_ = nullptr;
};

}  // namespace zembra::ui
