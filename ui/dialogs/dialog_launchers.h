#pragma once

#include "ui/common/program_state.h"
#include "ui/common/window_openers.h"

namespace zembra::ui {

// The program's windows: each is built afresh (so it starts as designed every
// time), shown modally over the topmost window, and deleted when it closes.
class DialogLaunchers final : public WindowOpeners {
 public:
  explicit DialogLaunchers(ProgramState& state) : state_(state) {}

  bool openFileSelection(const QString& title) override;
  void openResultViewer() override;
  void openCounterOptions() override;
  void openHelp() override;
  void openVersion() override;
  bool askToReplace(const std::string& path) override;

 private:
  ProgramState& state_;
};

}  // namespace zembra::ui
