#pragma once

#include <QWidget>

namespace zembra::ui {

// Draws the style's focus frame just inside `paintOn` (the widget itself, or
// the viewport of a scroll area), over what the widget has painted: for the
// widgets whose style draws none of their own (a scroll bar, the picture
// strip, a list without a current line, the drive list), so that the
// keyboard focus can be seen. `owner` is the widget that has the focus.
void drawFocusFrame(QWidget* paintOn, const QWidget* owner);

}  // namespace zembra::ui
