#pragma once

#include "ui/main/launchers.h"

class QWidget;

namespace zembra::ui {

// The launchers of the program: each window is built afresh (so it starts as
// designed every time), shown modally over the topmost window, and deleted
// when it closes.
class DialogLaunchers final : public Launchers {
 public:
  using Launchers::Launchers;

 protected:
  bool openFileSelection(const QString& title) override;
  void openResultViewer() override;
  void openCounterOptions() override;
  void openHelp() override;
  void openVersion() override;
  bool askToReplace(const std::string& path) override;

 private:
  QWidget* owner() const;
};

}  // namespace zembra::ui
