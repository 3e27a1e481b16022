#pragma once

#include "ui/dialogs/modal_window.h"

namespace zembra::ui {

// The help window: short notes on the commands and limits. "バージョン情報"
// opens the version window over it; "確認" closes it.
class Form5 : public ModalWindow {
  Q_OBJECT

 public:
  explicit Form5(QWidget* parent = nullptr);

 private:
  void Form_Load();
  void Command2_Click();
};

}  // namespace zembra::ui
