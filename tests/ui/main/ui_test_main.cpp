// Runs the window tests headless (offscreen unless asked) with the window fonts and Japan's locale.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include "ui/common/fonts.h"

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  zembra::ui::registerFontSubstitutes();
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
