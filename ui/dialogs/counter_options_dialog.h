#pragma once

#include "engine/computation_run.h"
#include "ui/common/modal_window.h"

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
class CounterOptionsDialog : public ModalWindow {
  Q_OBJECT

 public:
  explicit CounterOptionsDialog(RunSettings& settings, QWidget* parent = nullptr);

 private:
  void buildControls();
  void showSettings();
  void onScrollBarMoved();
  void onStepEdited();
  void onConfirm();

  RunSettings& settings_;
  QLabel* titleLabel_ = nullptr;
  HorizontalScrollBar* stepScrollBar_ = nullptr;
  QLineEdit* stepEdit_ = nullptr;
  QPushButton* confirmButton_ = nullptr;
  QGroupBox* runModeFrame_ = nullptr;
  void tabToCheckedOption();

  QRadioButton* coexistOption_ = nullptr;
  QRadioButton* computeOnlyOption_ = nullptr;
};

// The step "確認" stores for the text of the box: the number rounded half to
// even, at least 1; the previous step for text that is not a number.
std::int16_t counterStepFor(const QString& text, std::int16_t previous);

}  // namespace zembra::ui
