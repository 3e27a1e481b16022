// The main window as it opens, its menus, and how it follows its size.

#include "engine/shift_jis.h"
#include "tests/ui/main/main_window_fixture.h"

namespace zembra::ui::test {
namespace {

using MainWindow = MainWindowTest;

TEST_F(MainWindow, opens_with_its_caption_menus_a_zero_count_an_empty_list_and_step_1) {
  EXPECT_EQ(form.windowTitle(), QStringLiteral("ππ   円周率の計算  目指せ？桁    zembra32 "));
  EXPECT_EQ(toShiftJis(form.windowTitle().toStdString()).size(), 44u);
  EXPECT_FALSE(form.windowIcon().isNull());
  EXPECT_EQ(c.digitCountEdit->text(), QStringLiteral("0"));
  EXPECT_EQ(c.digitCountScrollBar->value(), 0);
  EXPECT_EQ(c.digitList->count(), 0);
  EXPECT_EQ(c.counterStepLabel->text(), QStringLiteral("1"));
  for (CaptionLabel* empty : {c.resultFileLabel, c.startTimeLabel, c.termTotalLabel, c.counterLabel, c.endTimeLabel}) {
    EXPECT_EQ(empty->text(), QString()) << empty->objectName().toStdString();
  }
  EXPECT_EQ(state.run.resultFilePath, " ");
  // The scroll bar has the focus; Tab goes round the text box, strip and list.
  for (QWidget* next : std::initializer_list<QWidget*>{c.digitCountEdit, c.pictureStrip, c.digitList, c.digitCountScrollBar}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
  }
  // The menus' captions with their access keys; no other shortcut.
  QStringList captions;
  for (QAction* top : form.menuBar()->actions()) {
    captions << top->text();
    for (QAction* item : top->menu()->actions()) captions << "  " + item->text();
  }
  EXPECT_EQ(captions, (QStringList{"ﾌｧｲﾙ(&F)", "  結果出力先(&W)", "  ", "  結果の表示(&D)", "  ",
                                   "  終了(&E)", "実行(&R)", "  円周率の計算実行(&G)", "ｵﾌﾟｼｮﾝ(&O)",
                                   "  処理カウントの指定オプション(&C)", "ﾍﾙﾌﾟ(&H)",
                                   "  zembraについて(&H)", "  バージョン情報(&V)"}));
  for (QAction* item : form.findChildren<QAction*>()) {
    EXPECT_TRUE(item->shortcut().isEmpty()) << item->text().toStdString();
  }
}

TEST_F(MainWindow, picture_buttons_and_value_boxes_have_japanese_names_for_screen_readers) {
  std::vector<QWidget*> described;
  for (PictureButton* button : c.pictureButtons) {
    described.push_back(button->image());
    EXPECT_FALSE(button->image()->accessibleDescription().isEmpty());
  }
  for (QWidget* value : std::initializer_list<QWidget*>{
           c.digitCountEdit, c.digitCountScrollBar, c.startTimeLabel, c.termTotalLabel,
           c.counterLabel, c.endTimeLabel, c.counterStepLabel, c.resultFileLabel, c.digitList}) {
    described.push_back(value);
  }
  QSet<QString> names;
  for (QWidget* widget : described) {
    const QString name = widget->accessibleName();
    EXPECT_TRUE(std::any_of(name.begin(), name.end(), [](QChar ch) { return ch.unicode() > 0x3000; }))
        << widget->objectName().toStdString() << ": \"" << name.toStdString() << '"';
    names.insert(name);
  }
  EXPECT_EQ(names.size(), static_cast<qsizetype>(described.size())) << "each name tells them apart";
}

TEST_F(MainWindow, the_strip_and_the_list_follow_the_size_and_the_list_is_never_negative) {
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

}  // namespace
}  // namespace zembra::ui::test
