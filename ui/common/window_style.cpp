#include "ui/common/window_style.h"

#include <QPalette>

namespace zembra::ui {

void setColors(QWidget* widget, unsigned background, int text) {
  QPalette palette = widget->palette();
  const QColor back = bgrColor(background);
  for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
    palette.setColor(role, back);
  }
  if (text >= 0) {
    const QColor fore = bgrColor(static_cast<unsigned>(text));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
      palette.setColor(role, fore);
    }
  }
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

void setTabChain(std::initializer_list<QWidget*> controls) {
  QWidget* previous = nullptr;
  for (QWidget* control : controls) {
    if (previous) QWidget::setTabOrder(previous, control);
    previous = control;
  }
}

void setBackground(QWidget* window, unsigned background) {
  QPalette palette = window->palette();
  palette.setColor(QPalette::Window, bgrColor(background));
  window->setPalette(palette);
  window->setAutoFillBackground(true);
}

}  // namespace zembra::ui
