#pragma once

#include <QListWidget>

namespace zembra::ui {

// A list box as the windows are designed with: lines in the System font,
// white, drawn in full with next to no margin, never shortened; a line wider
// than the list (a digit line with a long running count) brings up a
// horizontal scroll bar, so every line can be read whole.
QListWidget* makeListBox(const QString& name, QWidget* parent);

}  // namespace zembra::ui
