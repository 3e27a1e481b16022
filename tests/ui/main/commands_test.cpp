// The commands of the menus and the picture buttons, and the launchers
// behind them.

#include <QMenuBar>
#include <QTest>

#include "tests/ui/main/form1_fixture.h"
#include "ui/main/twips.h"

namespace zembra::ui::test {
namespace {

using Commands = Form1Test;

const QColor kWhite(255, 255, 255);
const QColor kGrey(0x80, 0x80, 0x80);

TEST_F(Commands, the_output_file_command_shows_the_confirmed_path_in_label1) {
  dialogs.onFileSelection = [this](const QString&) { state.ResultFilePath = "/tmp/pi.txt"; };
  menus.mout->trigger();
  EXPECT_EQ(dialogs.openings, QStringList{"Form2 結果の出力ファイル指定"});
  EXPECT_EQ(state.ResultFilePath, "/tmp/pi.txt");
  EXPECT_EQ(c.Label1->text(), QStringLiteral("/tmp/pi.txt"));
  EXPECT_EQ(c.Label1->width(), c.Label1->fontMetrics().horizontalAdvance("/tmp/pi.txt"));
}

TEST_F(Commands, the_output_file_command_forgets_the_former_file_when_none_is_confirmed) {
  state.ResultFilePath = "/tmp/former.txt";
  bool forgottenBeforeTheDialog = false;
  dialogs.onFileSelection = [&](const QString&) {
    forgottenBeforeTheDialog = state.ResultFilePath == " ";
  };
  QTest::mouseClick(c.pictureButtons[0]->image(), Qt::LeftButton);
  EXPECT_TRUE(forgottenBeforeTheDialog);
  EXPECT_EQ(state.ResultFilePath, " ");
  EXPECT_EQ(c.Label1->text(), QStringLiteral(" "));
}

TEST_F(Commands, the_display_command_chooses_a_file_then_opens_the_viewer_and_leaves_label1) {
  state.ResultFilePath = "/tmp/former.txt";
  c.Label1->setCaption(QStringLiteral("/tmp/former.txt"));
  std::string viewed;
  dialogs.onFileSelection = [this](const QString&) { state.ResultFilePath = "/tmp/shown.txt"; };
  dialogs.onResultViewer = [&] { viewed = state.ResultFilePath; };
  menus.MLIST->trigger();
  EXPECT_EQ(dialogs.openings, (QStringList{"Form2 結果の表示ファイル指定", "Form6"}));
  EXPECT_EQ(viewed, "/tmp/shown.txt");
  EXPECT_EQ(c.Label1->text(), QStringLiteral("/tmp/former.txt"));
}

TEST_F(Commands, the_options_command_shows_the_counter_step_afterwards_changed_or_not) {
  menus.mopt->trigger();
  EXPECT_EQ(c.Label14->text(), QStringLiteral("1"));
  dialogs.onCounterOptions = [this] { state.CounterStep = 250; };
  QTest::mouseClick(c.pictureButtons[2]->image(), Qt::LeftButton);
  EXPECT_EQ(c.Label14->text(), QStringLiteral("250"));
  EXPECT_EQ(c.Label14->width(), 24);
  EXPECT_EQ(dialogs.openings, (QStringList{"Form4", "Form4"}));
}

TEST_F(Commands, help_and_version_open_their_windows) {
  menus.mhelpp->trigger();
  QTest::mouseClick(c.pictureButtons[3]->image(), Qt::LeftButton);
  menus.mhelpv->trigger();
  EXPECT_EQ(dialogs.openings, (QStringList{"Form5", "Form5", "Form3"}));
}

TEST_F(Commands, exit_and_closing_the_window_end_the_program) {
  menus.mend->trigger();
  EXPECT_EQ(endRequests, 1);
  form.close();
  EXPECT_EQ(endRequests, 2);
}

TEST_F(Commands, the_run_picture_runs_like_the_menu) {
  c.Text17->setText(QStringLiteral("100"));
  QTest::mouseClick(c.pictureButtons[1]->image(), Qt::LeftButton);
  EXPECT_EQ(c.List1->count(), 3);
}

class AccessKeys : public Form1Test {
 protected:
  AccessKeys() { watchdog.allowPopups(); }

  // Alt+menuKey opens the menu, itemKey chooses its item.
  void choose(Qt::Key menuKey, QMenu* menu, Qt::Key itemKey) {
    // The offscreen platform does not give the activation back when a menu
    // closes, as a desktop does.
    form.activateWindow();
    ASSERT_TRUE(waitUntil([this] { return QApplication::activeWindow() == &form; }));
    QTest::keyClick(&form, menuKey, Qt::AltModifier);
    ASSERT_TRUE(waitUntil([menu] { return menu->isVisible(); }));
    QTest::keyClick(menu, itemKey);
    EXPECT_FALSE(menu->isVisible());
  }
};

TEST_F(AccessKeys, open_the_menus_and_choose_their_items) {
  c.Text17->setText(QStringLiteral("100"));
  choose(Qt::Key_R, menus.mrung, Qt::Key_G);
  EXPECT_EQ(c.List1->count(), 3);
  choose(Qt::Key_F, menus.mfile, Qt::Key_W);
  choose(Qt::Key_F, menus.mfile, Qt::Key_D);
  choose(Qt::Key_O, menus.MOPTg, Qt::Key_C);
  choose(Qt::Key_H, menus.mhelp, Qt::Key_H);
  choose(Qt::Key_H, menus.mhelp, Qt::Key_V);
  EXPECT_EQ(dialogs.openings, (QStringList{"Form2 結果の出力ファイル指定", "Form2 結果の表示ファイル指定",
                                           "Form6", "Form4", "Form5", "Form3"}));
  choose(Qt::Key_F, menus.mfile, Qt::Key_E);
  EXPECT_EQ(endRequests, 1);
}

class PictureButtons : public Form1Test,
                       public ::testing::WithParamInterface<int> {
 protected:
  PictureButton& button() const { return *c.pictureButtons[GetParam()]; }
  static constexpr int kLefts[] = {345, 1395, 2345, 3745};

  void expectRaised() const {
    EXPECT_EQ(button().topEdge()->color(), kWhite);
    EXPECT_EQ(button().leftEdge()->color(), kWhite);
    EXPECT_TRUE(button().bottomEdge()->isVisible());
    EXPECT_TRUE(button().rightEdge()->isVisible());
    EXPECT_EQ(button().bottomEdge()->color(), kGrey);
    EXPECT_EQ(button().rightEdge()->color(), kGrey);
    EXPECT_EQ(button().image()->pos(), QPoint(px(kLefts[GetParam()]), px(75)));
  }
  void expectPressed() const {
    EXPECT_EQ(button().topEdge()->color(), kGrey);
    EXPECT_EQ(button().leftEdge()->color(), kGrey);
    EXPECT_FALSE(button().bottomEdge()->isVisible());
    EXPECT_FALSE(button().rightEdge()->isVisible());
    EXPECT_EQ(button().image()->pos(), QPoint(px(kLefts[GetParam()] + 20), px(95)));
  }
};

TEST_P(PictureButtons, look_pressed_while_the_mouse_is_down_and_raised_after) {
  expectRaised();
  for (Qt::MouseButton mouse : {Qt::LeftButton, Qt::RightButton}) {
    QTest::mousePress(button().image(), mouse);
    expectPressed();
    QTest::mouseRelease(button().image(), mouse, {}, QPoint(-20, -20));
    expectRaised();
  }
  EXPECT_TRUE(dialogs.openings.isEmpty()) << "released outside: no command";
  EXPECT_EQ(c.List1->count(), 0);
}

TEST_P(PictureButtons, only_a_left_click_on_the_picture_itself_runs_the_command) {
  c.Text17->setText(QStringLiteral("100"));
  QTest::mouseClick(button().image(), Qt::RightButton);
  QTest::mouseClick(c.Picture1, Qt::LeftButton, {}, button().frame()->geometry().topLeft());
  EXPECT_TRUE(dialogs.openings.isEmpty());
  EXPECT_EQ(c.List1->count(), 0);
  QTest::mouseClick(button().image(), Qt::LeftButton);
  const char* const commands[] = {"Form2 結果の出力ファイル指定", "run", "Form4", "Form5"};
  QStringList done = dialogs.openings;
  if (c.List1->count() == 3) done << QStringLiteral("run");
  EXPECT_EQ(done, QStringList{QString::fromUtf8(commands[GetParam()])});
  expectRaised();
}

INSTANTIATE_TEST_SUITE_P(EachOfTheFour, PictureButtons, ::testing::Values(0, 1, 2, 3));

TEST_F(Commands, a_double_click_on_a_picture_runs_its_command_once) {
  ClickableImage* image = c.pictureButtons[2]->image();
  QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {},
                     image->mapTo(&form, image->rect().center()));
  EXPECT_EQ(dialogs.openings, QStringList{"Form4"});
}

}  // namespace
}  // namespace zembra::ui::test
