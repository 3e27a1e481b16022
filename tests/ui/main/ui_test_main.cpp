// Runs the window tests headless (offscreen unless asked) with the window fonts and Japan's locale.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include "tests/ui/main/program_setup.h"
#include "ui/common/fonts.h"
#include "ui/common/qt_japanese.h"

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  zembra::ui::setUpFonts();
  zembra::ui::test::qtJapaneseLoaded = zembra::ui::useQtJapanese();
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
