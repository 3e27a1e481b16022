#pragma once

#include "ui/common/modal_window.h"

namespace zembra::ui {

// The version window: the product tile, the version, the subject, the logo
// and the home page. "確認" closes it.
class VersionWindow : public ModalWindow {
  Q_OBJECT

 public:
  explicit VersionWindow(QWidget* parent = nullptr);

  // The home page shown under the logo.
  static const char* homePage();
};

}  // namespace zembra::ui
