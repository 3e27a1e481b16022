#pragma once

#include <QMainWindow>

#include "ui/main/main_menus.h"
#include "ui/main/main_window_controls.h"

namespace zembra::ui {

struct ProgramState;

// The main window: its controls and menus as designed, the program state's
// start values, and the list following the window's size. What the controls
// do lives with the digit entry, the launchers and the run command.
class MainWindow final : public QMainWindow {
  Q_OBJECT

 public:
  // The client area's designed size, in twips.
  static constexpr int kClientWidth = 8220;
  static constexpr int kClientHeight = 5610;

  explicit MainWindow(ProgramState& state, QWidget* parent = nullptr);

  const MainWindowControls& controls() const { return controls_; }
  const MainMenus& menus() const { return menus_; }
  QWidget* clientArea() const { return centralWidget(); }

 signals:
  void closed();  // the user has closed the window

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void setStartState(ProgramState& state);
  void fitListToWindow();

  MainWindowControls controls_;
  MainMenus menus_;
  // The client height the list leaves free below it, in twips, taken at the
  // start: the list keeps it when the window is resized.
  float listBottomMargin_ = 0;
};

}  // namespace zembra::ui
