// GoogleTest with a QApplication on the offscreen platform, for the windows'
// tests.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  app.setApplicationName("zembra32");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
