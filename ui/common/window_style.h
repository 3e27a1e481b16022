#pragma once

#include <QWidget>
#include <initializer_list>

#include "ui/common/design.h"

// Placing and colouring controls the way the windows are designed: twips
// relative to the parent, colours written &H00BBGGRR&.

namespace zembra::ui {

// Gives a control its name, so that tests and tools can find it.
template <class Control>
Control* named(Control* control, const char* name) {
  control->setObjectName(name);
  return control;
}

inline void place(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(twipsRect(left, top, width, height));
}

// Sets the keyboard focus order of these controls, first to last.
void setTabChain(std::initializer_list<QWidget*> controls);

// Paints the widget's background (and text, if given) in these colours.
void setColors(QWidget* widget, unsigned background, int text = -1);
// Paints a window's own background; its controls keep their default colours.
void setBackground(QWidget* window, unsigned background);

}  // namespace zembra::ui
