#pragma once

#include <QFont>

// The fonts the windows are designed with, and the installed fonts that draw
// them on this platform.

namespace zembra::ui {

// Maps the designed families to installed Japanese fonts, and makes the
// application's font, which every control that names none of its own takes
// (the secondary windows' labels, buttons and lists), dialogFont(): the same
// in every locale, where Qt would otherwise pick a Latin font for C or
// English. Call once, after the application object exists and before any
// window is built.
void setUpFonts();

// "ＭＳ ゴシック" 9.75 pt: the main window's own font.
QFont formFont();

// "ＭＳ Ｐゴシック" 9 pt: the picture button strip's font.
QFont pictureStripFont();

// "ＭＳ Ｐゴシック" 9 pt, the Japanese desktop's own: the secondary windows'.
QFont dialogFont();

// "System" 13.5 pt: the list, the digit entry and every label.
QFont systemFont();

}  // namespace zembra::ui
