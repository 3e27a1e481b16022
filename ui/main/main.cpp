// zembra32: the desktop calculator for the decimal digits of π.

#include <QApplication>

#include "engine/window.h"
#include "ui/dialogs/secondary_windows.h"
#include "ui/main/fonts.h"
#include "ui/main/main_program.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  zembra::ui::registerFontSubstitutes();

  zembra::GlobalState state;
  zembra::ui::SecondaryWindows dialogs(state);
  zembra::ui::MainProgram program(state, dialogs, [] { QCoreApplication::exit(0); });
  dialogs.setMainWindow(&program.form());
  program.form().show();
  return QApplication::exec();
}
