#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
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
