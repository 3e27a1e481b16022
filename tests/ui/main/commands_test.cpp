// The commands of the menus and of the picture buttons.

#include "tests/ui/main/main_window_fixture.h"
#include "ui/main/design.h"

namespace zembra::ui::test {
namespace {

using Commands = MainWindowTest;

TEST_F(Commands, the_access_keys_choose_every_command_of_the_menus) {
  popupsAllowed = true;
  // Alt+menuKey opens the menu, itemKey chooses its item.
  auto choose = [this](Qt::Key menuKey, QMenu* menu, Qt::Key itemKey) {
    // The offscreen platform does not give the activation back when a menu
    // closes, as a desktop does.
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &form; }));
    QTest::keyClick(&form, menuKey, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }));
    QTest::keyClick(menu, itemKey);
    EXPECT_FALSE(menu->isVisible());
  };
  c.digitCountEdit->setText(QStringLiteral("100"));
  choose(Qt::Key_R, menus.runMenu, Qt::Key_G);
  EXPECT_EQ(c.digitList->count(), 3);

  // The output file: the former one is forgotten before the choice.
  state.run.resultFilePath = "/tmp/former.txt";
  dialogs.onFileSelection = [this] { EXPECT_EQ(state.run.resultFilePath, " "); };
  choose(Qt::Key_F, menus.fileMenu, Qt::Key_W);
  EXPECT_EQ(c.resultFileLabel->text(), QStringLiteral(" "));
  dialogs.onFileSelection = [this] { state.run.resultFilePath = "/tmp/pi.txt"; };
  choose(Qt::Key_F, menus.fileMenu, Qt::Key_W);
  EXPECT_EQ(c.resultFileLabel->text(), QStringLiteral("/tmp/pi.txt"));
  EXPECT_EQ(c.resultFileLabel->width(), c.resultFileLabel->fontMetrics().horizontalAdvance("/tmp/pi.txt"));

  // The display: a file to show, then the viewer on it; Label1 stays.
  std::string viewed;
  dialogs.onFileSelection = [this] { state.run.resultFilePath = "/tmp/shown.txt"; };
  dialogs.onResultViewer = [&] { viewed = state.run.resultFilePath; };
  choose(Qt::Key_F, menus.fileMenu, Qt::Key_D);
  EXPECT_EQ(viewed, "/tmp/shown.txt");
  EXPECT_EQ(c.resultFileLabel->text(), QStringLiteral("/tmp/pi.txt"));

  dialogs.onCounterOptions = [this] { state.run.counterStep = 250; };
  choose(Qt::Key_O, menus.optionsMenu, Qt::Key_C);
  EXPECT_EQ(c.counterStepLabel->text(), QStringLiteral("250"));
  choose(Qt::Key_H, menus.helpMenu, Qt::Key_H);
  choose(Qt::Key_H, menus.helpMenu, Qt::Key_V);
  EXPECT_EQ(dialogs.openings,
            (QStringList{"FileSelection 結果の出力ファイル指定", "FileSelection 結果の出力ファイル指定",
                         "FileSelection 結果の表示ファイル指定", "ResultViewer", "CounterOptions", "HelpWindow", "VersionWindow"}));
  choose(Qt::Key_F, menus.fileMenu, Qt::Key_E);
  EXPECT_EQ(endRequests, 1);
  form.close();
  EXPECT_EQ(endRequests, 2);
}

class PictureButtons : public MainWindowTest, public ::testing::WithParamInterface<int> {
 protected:
  PictureButton& b = *c.pictureButtons[GetParam()];

  void expectLook(bool pressed) {
    const QColor white(255, 255, 255), grey(0x80, 0x80, 0x80);
    EXPECT_EQ(b.topEdge()->color(), pressed ? grey : white);
    EXPECT_EQ(b.leftEdge()->color(), pressed ? grey : white);
    for (EdgeLine* shadow : {b.bottomEdge(), b.rightEdge()}) {
      EXPECT_EQ(shadow->isVisible(), !pressed);
      EXPECT_TRUE(pressed || shadow->color() == grey) << "raised: grey shadow";
    }
    const int left = std::array{345, 1395, 2345, 3745}[GetParam()], shift = pressed ? 20 : 0;
    EXPECT_EQ(b.image()->pos(), QPoint(px(left + shift), px(75 + shift)));
  }
};

TEST_P(PictureButtons, look_pressed_while_held_and_run_their_command_on_a_left_click_only) {
  c.digitCountEdit->setText(QStringLiteral("100"));
  expectLook(false);
  for (Qt::MouseButton mouse : {Qt::LeftButton, Qt::RightButton}) {
    QTest::mousePress(b.image(), mouse);
    expectLook(true);
    QTest::mouseRelease(b.image(), mouse, {}, QPoint(-20, -20));  // outside: no command
    expectLook(false);
  }
  QTest::mouseClick(b.image(), Qt::RightButton);
  QTest::mouseClick(c.pictureStrip, Qt::LeftButton, {}, b.frame()->geometry().topLeft());
  EXPECT_TRUE(dialogs.openings.isEmpty());
  EXPECT_EQ(c.digitList->count(), 0);

  QTest::mouseClick(b.image(), Qt::LeftButton);
  const char* const commands[] = {"FileSelection 結果の出力ファイル指定", "run", "CounterOptions", "HelpWindow"};
  if (c.digitList->count() == 3) dialogs.openings << QStringLiteral("run");
  EXPECT_EQ(dialogs.openings, QStringList{QString::fromUtf8(commands[GetParam()])});
  QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {},
                     b.image()->mapTo(&form, b.image()->rect().center()));
  EXPECT_EQ(dialogs.openings.size(), GetParam() == 1 ? 1 : 2) << "a double click: one command";
  expectLook(false);
}

INSTANTIATE_TEST_SUITE_P(EachOfTheFour, PictureButtons, ::testing::Values(0, 1, 2, 3));

}  // namespace
}  // namespace zembra::ui::test
