#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QApplication>
#include <QImage>
#include <QTest>

#include "tests/ui/dialogs/modal_driver.h"
#include "ui/dialogs/version_window.h"
#include "ui/dialogs/help_window.h"

namespace zembra::ui {
namespace {

TEST(HelpAndVersion, help_then_version_then_close_returns_to_help) {
  auto* help = new HelpWindow;
  QString versionTitle;
  bool helpStillOpen = false;
  test::whenModal([&, help] {
    test::whenModal([&, help] {
      versionTitle = test::activeModal()->windowTitle();
      QTest::mouseClick(test::activeModal()->findChild<QPushButton*>("Command1"), Qt::LeftButton);
      test::whenModal([&, help] {
        helpStillOpen = test::activeModal() == help;
        QTest::mouseClick(help->findChild<QPushButton*>("Command1"), Qt::LeftButton);
      });
    });
    QTest::mouseClick(help->findChild<QPushButton*>("Command2"), Qt::LeftButton);
  });
  const auto watchdog = test::armWatchdog();
  help->exec();
  EXPECT_FALSE(*watchdog);
  EXPECT_EQ(versionTitle, "ZEMBRAバージョン情報");
  EXPECT_TRUE(helpStillOpen);
}

TEST(HelpAndVersion, help_opens_on_its_confirm_button_so_space_closes_it) {
  auto* help = new HelpWindow;
  QString focused;
  bool versionOpened = false;
  test::whenModal([&, help] {
    QWidget* focus = help->focusWidget();
    ASSERT_TRUE(focus);
    focused = focus->objectName();
    QTest::keyClick(focus, Qt::Key_Space);
    // Had Space opened the version window, it would be the modal one now.
    QWidget* open = test::activeModal();
    versionOpened = open && open != help;
    if (versionOpened) open->close();
  });
  const auto watchdog = test::armWatchdog();
  EXPECT_EQ(help->exec(), QDialog::Rejected);
  EXPECT_FALSE(*watchdog);
  EXPECT_EQ(focused, "Command1");
  EXPECT_FALSE(versionOpened);
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

TEST(HelpAndVersion, the_texts_are_exact_and_the_windows_open_in_their_places) {
  HelpWindow help;
  EXPECT_EQ(help.windowTitle(), "ｚｅｍｂｒａヘルプ");
  EXPECT_EQ(help.findChild<QLabel*>("Label1")->text(), help.windowTitle());
  EXPECT_EQ(help.findChild<QLabel*>("Label3")->text(),
            QString(24, ' ') + "指定が無い場合、計算結果は画面表示のみ");
  EXPECT_EQ(help.findChild<QLabel*>("Label6")->text(), "  実行：クリックで即実行します");
  EXPECT_EQ(help.pos(), QPoint(20, 53));  // 300, 800 twips
  VersionWindow version;
  EXPECT_EQ(version.findChild<QLabel*>("Label1")->text(), "ZEMBRA32 バージョン V1.2");
  EXPECT_FALSE(version.findChild<QLabel*>("Picture1")->pixmap().isNull());
  EXPECT_FALSE(version.findChild<QLabel*>("Picture2")->pixmap().isNull());
  EXPECT_EQ(version.pos(), QPoint(133, 67));  // 2000, 1000 twips
}

}  // namespace
}  // namespace zembra::ui
