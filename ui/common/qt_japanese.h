#pragma once

namespace zembra::ui {

// Puts Qt's own texts (the context menus of text boxes and scroll bars, the
// buttons of message boxes) in Japanese, whatever the locale, as the rest of
// the program is: Qt's translation qtbase_ja from its translations folder
// (Debian package qt6-translations-l10n). Call once, after the application
// object exists. False when the translation is not there (the texts then
// stay English).
bool useQtJapanese();

}  // namespace zembra::ui
