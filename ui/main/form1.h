#pragma once

#include <QMainWindow>

#include "engine/window.h"
#include "ui/main/form1_controls.h"
#include "ui/main/form1_menus.h"

namespace zembra::ui {

// The main window: its controls and menus as designed, the global state's
// start values (Form_Load), and the list following the window's size
// (Form_Resize). What the controls do lives with the digit entry and the
// commands.
class Form1 final : public QMainWindow {
  Q_OBJECT

 public:
  // The client area's designed size, in twips.
  static constexpr int kClientWidth = 8220;
  static constexpr int kClientHeight = 5610;

  explicit Form1(GlobalState& state, QWidget* parent = nullptr);

  const Form1Controls& controls() const { return controls_; }
  const Form1Menus& menus() const { return menus_; }
  CaptionLabel* label(Label label) const;
  QWidget* clientArea() const { return centralWidget(); }

 signals:
  void closed();  // the user has closed the window

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Form_Load();
  void Form_Resize();

  GlobalState& state_;
  Form1Controls controls_;
  Form1Menus menus_;
};

}  // namespace zembra::ui
