#pragma once

#include "ui/main/horizontal_scroll_bar.h"

namespace zembra::ui {

// HScroll1: the digit count in tens, 0 … 32764, 1 per arrow, 100 per page.
class DigitScrollBar final : public HorizontalScrollBar {
  Q_OBJECT

 public:
  explicit DigitScrollBar(QWidget* parent);
};

QScrollBar* makeDigitScrollBar(QWidget* parent);

}  // namespace zembra::ui
