#include "ui/main/digit_scroll_bar.h"

namespace zembra::ui {

DigitScrollBar::DigitScrollBar(QWidget* parent) : HorizontalScrollBar(32764, 1, 100, parent) {
  setObjectName(QStringLiteral("HScroll1"));
}

QScrollBar* makeDigitScrollBar(QWidget* parent) { return new DigitScrollBar(parent); }

}  // namespace zembra::ui
