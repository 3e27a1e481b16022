#pragma once

#include <QListWidget>

namespace zembra::ui {

// A list box as the windows are designed with: lines in the System font,
// white, drawn in full with next to no margin (a digit line of the main
// window just fits its designed width) and cut off, not shortened, at the
// right edge.
QListWidget* makeListBox(const QString& name, QWidget* parent);

}  // namespace zembra::ui
