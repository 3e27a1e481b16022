#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "tests/ui/dialogs/modal_driver.h"
#include "ui/dialogs/help_window.h"
#include "ui/dialogs/version_window.h"

namespace zembra::ui {
namespace {

void clickButton(QWidget* window, const char* name) {
  QTest::mouseClick(window->findChild<QPushButton*>(name), Qt::LeftButton);
}

TEST(HelpAndVersion, help_opens_on_confirm_and_its_version_window_returns_to_it) {
  QString focused, versionTitle;
  bool helpAgain = false;
  test::runModal<HelpWindow>(new HelpWindow, [&](HelpWindow& help) {
    if (help.focusWidget()) focused = help.focusWidget()->objectName();
    test::whenModal([&] {
      versionTitle = test::activeModal()->windowTitle();
      clickButton(test::activeModal(), "Command1");
      test::whenModal([&] {
        helpAgain = test::activeModal() == &help;
        clickButton(&help, "Command1");
      });
    });
    clickButton(&help, "Command2");
  });
  EXPECT_EQ(focused, "Command1");
  EXPECT_EQ(versionTitle, "ZEMBRAバージョン情報");
  EXPECT_TRUE(helpAgain);
}

TEST(HelpAndVersion, the_product_tile_is_a_light_grey_raised_tile_with_a_black_pi) {
  VersionWindow version;
  const QImage tile = version.findChild<QLabel*>("Picture1")->pixmap().toImage();
  ASSERT_FALSE(tile.isNull());
  EXPECT_EQ(tile.pixelColor(0, 0), QColor(Qt::white)) << "lit top-left edge";
  EXPECT_EQ(tile.pixelColor(tile.width() - 1, tile.height() - 1), QColor(Qt::black)) << "shadow";
  EXPECT_EQ(tile.pixelColor(2, 2), QColor(0xC0, 0xC0, 0xC0)) << "light grey face";
  int black = 0, red = 0;
  for (int y = 1; y < tile.height() / 2; ++y) {  // the upper half holds the π
    for (int x = 1; x < tile.width() - 2; ++x) {
      const QColor pixel = tile.pixelColor(x, y);
      black += pixel == QColor(Qt::black);
      red += pixel.red() > 2 * pixel.green();
    }
  }
  EXPECT_GT(black, 60);
  EXPECT_EQ(red, 0);
}

}  // namespace
}  // namespace zembra::ui
