#pragma once

#include "ui/common/modal_window.h"

namespace zembra::ui {

// The help window: short notes on the commands and limits. "バージョン情報"
// opens the version window over it; "確認" closes it.
class HelpWindow : public ModalWindow {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);

 private:
  void onVersionClicked();
};

}  // namespace zembra::ui
