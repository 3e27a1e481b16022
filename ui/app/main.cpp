// zembra32: the desktop calculator for the decimal digits of π.

#include <QApplication>
#include <cstdio>
#include <string>

#include "engine/environment_notes.h"
#include "ui/common/fonts.h"
#include "ui/common/qt_japanese.h"
#include "ui/dialogs/dialog_launchers.h"
#include "ui/main/main_program.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // The desktop entry's id: a Wayland desktop finds the window's name and icon by it.
  QGuiApplication::setDesktopFileName(QStringLiteral(ZEMBRA_APP_ID));
  zembra::ui::setUpFonts();
  if (!zembra::ui::useQtJapanese()) {
    std::fputs(
        "zembra32: Qt's Japanese texts (Debian package qt6-translations-l10n) are not "
        "installed: the menus of the boxes stay in English\n",
        stderr);
  }
  for (const std::string& note : zembra::environmentNotes()) {
    std::fprintf(stderr, "zembra32: %s\n", note.c_str());
  }

  zembra::ui::ProgramState state;
  zembra::ui::DialogLaunchers launchers(state);
  zembra::ui::MainProgram program(state, launchers, [] { QCoreApplication::exit(0); });
  program.window().show();
  return QApplication::exec();
}
