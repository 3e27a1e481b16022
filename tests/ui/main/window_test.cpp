// The main window as it opens, how it follows its size, and the commands of its menus and
// picture buttons.

#include <QRegularExpression>

#include "tests/ui/main/main_window_fixture.h"
#include "ui/main/design.h"

namespace zembra::ui::test {
namespace {

using Window = MainWindowTest;

TEST_F(Window, opens_with_its_caption_a_zero_count_empty_values_and_step_1) {
  EXPECT_EQ(form.windowTitle(), QStringLiteral("ππ   円周率の計算  目指せ？桁    zembra32 "));
  EXPECT_FALSE(form.windowIcon().isNull());
  EXPECT_EQ(c.digitCountEdit->text(), QStringLiteral("0"));
  EXPECT_EQ(c.counterStepLabel->text(), QStringLiteral("1"));
  for (QLabel* empty :
       {c.resultFileLabel, c.startTimeLabel, c.termTotalLabel, c.counterLabel, c.endTimeLabel}) {
    EXPECT_EQ(empty->text(), QString()) << empty->objectName().toStdString();
  }
  // The scroll bar has the focus; Tab goes round the text box, strip and list.
  for (QWidget* next : std::initializer_list<QWidget*>{c.digitCountEdit, c.pictureStrip,
                                                       c.digitList, c.digitCountScrollBar}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
  }
  for (QAction* item : form.findChildren<QAction*>()) {
    EXPECT_TRUE(item->shortcut().isEmpty()) << "only access keys: " << item->text().toStdString();
  }
}

TEST_F(Window, picture_buttons_and_value_boxes_have_japanese_names_for_screen_readers) {
  std::vector<QWidget*> described{c.digitCountEdit,   c.digitCountScrollBar, c.startTimeLabel,
                                  c.termTotalLabel,   c.counterLabel,        c.endTimeLabel,
                                  c.counterStepLabel, c.resultFileLabel,     c.digitList};
  for (PictureButton* button : c.pictureButtons) described.push_back(button->image());
  QSet<QString> names;
  for (QWidget* widget : described) {
    names.insert(widget->accessibleName());
    EXPECT_TRUE(widget->accessibleName().contains(QRegularExpression("[\\x{3040}-\\x{9FFF}]")))
        << widget->objectName().toStdString();
  }
  EXPECT_EQ(names.size(), static_cast<qsizetype>(described.size())) << "each name tells them apart";
  for (PictureButton* button : c.pictureButtons) {
    EXPECT_FALSE(button->image()->accessibleDescription().isEmpty());
  }
}

TEST_F(Window, the_strip_and_the_list_follow_the_size_and_the_list_is_never_negative) {
  EXPECT_EQ(form.clientArea()->size(), QSize(548, 374));
  const QRect text = c.digitCountEdit->geometry();
  const QSize frame = form.size() - form.clientArea()->size();
  // The list keeps the 102 pixels above it that it had at the start.
  const std::pair<QSize, int> cases[] = {
      {{700, 500}, 398}, {{300, 200}, 98}, {{400, 60}, 0}, {{548, 374}, 272}};
  for (const auto& [client, listHeight] : cases) {
    form.resize(client + frame);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form.clientArea()->size() == client; }));
    EXPECT_EQ(c.digitList->geometry(), QRect(0, 102, client.width(), listHeight)) << listHeight;
    EXPECT_EQ(c.pictureStrip->width(), client.width());
    EXPECT_EQ(c.digitCountEdit->geometry(), text) << "nothing else moves";
  }
}

TEST_F(Window, the_access_keys_choose_every_command_of_the_menus) {
  popupsAllowed = true;
  setCount("100");
  state.run.resultFilePath = "/tmp/former.txt";
  QStringList chosen{"/tmp/pi.txt", "/tmp/shown.txt"};  // as result file, then to display
  dialogs.onOpen = [&](const QString& window) {
    if (window == "CounterOptions") state.run.counterStep = 250;
    if (!window.startsWith("FileSelection")) return;
    EXPECT_TRUE(chosen.size() < 2 || state.run.resultFilePath == " ") << "the former is forgotten";
    state.run.resultFilePath = chosen.takeFirst().toStdString();
  };
  // Alt+menu key opens the menu, the item key chooses its item.
  const std::tuple<Qt::Key, QMenu*, Qt::Key> commands[] = {
      {Qt::Key_R, menus.runMenu, Qt::Key_G},  {Qt::Key_F, menus.fileMenu, Qt::Key_W},
      {Qt::Key_F, menus.fileMenu, Qt::Key_D}, {Qt::Key_O, menus.optionsMenu, Qt::Key_C},
      {Qt::Key_H, menus.helpMenu, Qt::Key_H}, {Qt::Key_H, menus.helpMenu, Qt::Key_V},
      {Qt::Key_F, menus.fileMenu, Qt::Key_E}};
  for (const auto& [menuKey, menu, itemKey] : commands) {
    // The offscreen platform does not give the activation back when a menu closes.
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &form; }));
    QTest::keyClick(&form, menuKey, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }));
    QTest::keyClick(menu, itemKey);
    EXPECT_FALSE(menu->isVisible());
  }
  EXPECT_EQ(c.digitList->count(), 3);
  EXPECT_EQ(c.resultFileLabel->text(), QStringLiteral("/tmp/pi.txt")) << "not the file displayed";
  EXPECT_EQ(c.resultFileLabel->width(),
            c.resultFileLabel->fontMetrics().horizontalAdvance("/tmp/pi.txt"));
  EXPECT_EQ(c.counterStepLabel->text(), QStringLiteral("250"));
  EXPECT_EQ(dialogs.openings, (QStringList{"FileSelection 結果の出力ファイル指定",
                                           "FileSelection 結果の表示ファイル指定", "ResultViewer",
                                           "CounterOptions", "HelpWindow", "VersionWindow"}));
  EXPECT_EQ(endRequests, 1);
  form.close();
  EXPECT_EQ(endRequests, 2);
}

// Pressed: grey top and left edges, no shadow, the picture 20 twips lower right; raised: white
// edges and the shadow.
void expectLook(const PictureButton& b, int left, bool pressed) {
  const QColor light = pressed ? QColor(0x80, 0x80, 0x80) : QColor(Qt::white);
  EXPECT_EQ(b.topEdge()->color(), light);
  EXPECT_EQ(b.leftEdge()->color(), light);
  EXPECT_EQ(b.bottomEdge()->isVisible() + b.rightEdge()->isVisible(), pressed ? 0 : 2);
  EXPECT_EQ(b.image()->pos(), QPoint(px(left + 20 * pressed), px(75 + 20 * pressed)));
}

TEST_F(Window, picture_buttons_look_pressed_while_held_and_run_their_command_on_a_left_click) {
  // The picture's left in twips, and its command.
  const std::pair<int, const char*> buttons[] = {
      {345, "FileSelection 結果の出力ファイル指定"}, {1395, "run"}, {2345, "CounterOptions"},
      {3745, "HelpWindow"}};
  setCount("100");
  for (std::size_t i = 0; i < std::size(buttons); ++i) {
    const auto& [left, command] = buttons[i];
    SCOPED_TRACE(command);
    const PictureButton& b = *c.pictureButtons[i];
    dialogs.openings.clear();
    c.digitList->clear();
    for (Qt::MouseButton mouse : {Qt::LeftButton, Qt::RightButton}) {
      QTest::mousePress(b.image(), mouse);
      expectLook(b, left, true);
      QTest::mouseRelease(b.image(), mouse, {}, QPoint(-20, -20));  // outside: no command
      expectLook(b, left, false);
    }
    QTest::mouseClick(b.image(), Qt::RightButton);
    QTest::mouseClick(c.pictureStrip, Qt::LeftButton, {}, b.frame()->geometry().topLeft());
    EXPECT_TRUE(dialogs.openings.isEmpty() && c.digitList->count() == 0);

    QTest::mouseClick(b.image(), Qt::LeftButton);
    if (c.digitList->count() == 3) dialogs.openings << QStringLiteral("run");
    EXPECT_EQ(dialogs.openings, QStringList{QString::fromUtf8(command)});
    QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {},
                       b.image()->mapTo(&form, b.image()->rect().center()));
    EXPECT_EQ(dialogs.openings.size(), i == 1 ? 1 : 2) << "a double click: one command";
    expectLook(b, left, false);
  }
}

}  // namespace
}  // namespace zembra::ui::test
