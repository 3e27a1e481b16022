#pragma once

#include <QFont>

// The fonts the windows are designed with, and the installed fonts that draw
// them on this platform.

namespace zembra::ui {

// Maps the designed families to installed Japanese fonts. Call once, after
// the application object exists and before any window is built.
void registerFontSubstitutes();

// "ＭＳ ゴシック" 9.75 pt: the main window's own font.
QFont formFont();

// "ＭＳ Ｐゴシック" 9 pt: the picture button strip's font.
QFont pictureStripFont();

// "System" 13.5 pt: the list, the digit entry and every label.
QFont systemFont();

}  // namespace zembra::ui
