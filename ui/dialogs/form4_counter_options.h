#pragma once

#include "engine/window.h"
#include "ui/dialogs/modal_window.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zembra::ui {

class HorizontalScrollBar;

// The counter options: how many terms pass between two counter updates (1 to
// 200) and whether a run lets other work in. "確認" stores both; closing by
// the close box changes nothing.
class Form4 : public ModalWindow {
  Q_OBJECT

 public:
  explicit Form4(GlobalState& state, QWidget* parent = nullptr);

 private:
  void buildControls();
  void Form_Load();
  void HScroll1_Change();
  void Text1_Change();
  void Command1_Click();

  GlobalState& state_;
  QLabel* Label1 = nullptr;
  HorizontalScrollBar* HScroll1 = nullptr;
  QLineEdit* Text1 = nullptr;
  QPushButton* Command1 = nullptr;
  QGroupBox* Frame1 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
};

// The step "確認" stores for the text of the box: the number rounded half to
// even, at least 1; the previous step for text that is not a number.
std::int16_t counterStepFor(const QString& text, std::int16_t previous);

}  // namespace zembra::ui
