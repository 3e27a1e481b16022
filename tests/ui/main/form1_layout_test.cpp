// The main window as it opens: its controls, places, colours, fonts, menus
// and the global state its load sets.

#include <QFontInfo>
#include <QMenuBar>
#include <QTest>

#include "engine/shift_jis.h"
#include "tests/ui/main/form1_fixture.h"
#include "ui/main/twips.h"

namespace zembra::ui::test {
namespace {

using Form1Layout = Form1Test;

QRect twips(int left, int top, int width, int height) {
  return twipsRect(left, top, width, height);
}

TEST_F(Form1Layout, opens_with_the_designed_caption_icon_and_client_size_at_200_200) {
  EXPECT_EQ(form.windowTitle(), QStringLiteral("ππ   円周率の計算  目指せ？桁    zembra32 "));
  EXPECT_EQ(toShiftJis(form.windowTitle().toStdString()).size(), 44u);
  EXPECT_FALSE(form.windowIcon().isNull());
  EXPECT_EQ(form.windowIcon().pixmap(32, 32).size(), QSize(32, 32));
  EXPECT_EQ(form.clientArea()->size(), QSize(548, 374));
  EXPECT_EQ(form.frameGeometry().topLeft(), QPoint(13, 13));
}

TEST_F(Form1Layout, the_start_state_is_a_zero_count_an_empty_list_and_step_1) {
  EXPECT_EQ(c.Text17->text(), QStringLiteral("0"));
  EXPECT_EQ(c.HScroll1->value(), 0);
  EXPECT_EQ(c.List1->count(), 0);
  EXPECT_EQ(c.Label14->text(), QStringLiteral("1"));
  for (CaptionLabel* empty : {c.Label1, c.Label2, c.Label3, c.Label11, c.Label25}) {
    EXPECT_EQ(empty->text(), QString()) << empty->objectName().toStdString();
  }
  EXPECT_EQ(state.ResultFilePath, " ");
  EXPECT_EQ(state.CounterStep, 1);
  EXPECT_EQ(state.RunMode, 0);
  EXPECT_FLOAT_EQ(state.MainListMargin, 1530);
}

TEST_F(Form1Layout, every_control_has_its_designed_place) {
  const std::pair<QWidget*, QRect> places[] = {
      {c.Label10, twips(360, 495, 960, 270)},  {c.Text17, twips(1395, 450, 2025, 405)},
      {c.HScroll1, twips(405, 855, 3015, 315)}, {c.Label6, twips(3990, 570, 960, 270)},
      {c.Label7, twips(5640, 570, 960, 270)},  {c.Label8, twips(7110, 570, 960, 270)},
      {c.Label2, twips(3990, 900, 1065, 285)}, {c.Label3, twips(5070, 900, 1005, 285)},
      {c.Label11, twips(6090, 900, 945, 285)}, {c.Label25, twips(7065, 900, 975, 285)},
      {c.Label13, twips(90, 1215, 480, 270)},  {c.Label12, twips(1530, 1215, 480, 270)},
      // The strip and the list take the client width at the first showing.
      {c.Picture1, twips(0, -30, 8220, 465)},  {c.List1, twips(0, 1530, 8220, 4080)},
  };
  for (const auto& [control, place] : places) {
    EXPECT_EQ(control->geometry(), place) << control->objectName().toStdString();
  }
}

TEST_F(Form1Layout, labels_with_a_caption_are_as_wide_as_their_text) {
  // The System font's cells: 16 pixels for full-width, 8 for half-width.
  EXPECT_EQ(c.Label10->width(), 64);
  EXPECT_EQ(c.Label13->width(), 32);
  EXPECT_EQ(c.Label14->width(), 8) << "\"1\"";
  EXPECT_EQ(c.Label1->width(), 0) << "empty";
  EXPECT_EQ(c.Label1->pos(), twips(2025, 1215, 0, 0).topLeft());
}

TEST_F(Form1Layout, the_fonts_are_drawn_by_the_installed_japanese_fonts) {
  EXPECT_EQ(QFontInfo(c.List1->font()).family(), QStringLiteral("IPAGothic"));
  EXPECT_EQ(QFontInfo(c.Text17->font()).family(), QStringLiteral("IPAGothic"));
  EXPECT_EQ(QFontInfo(c.Label11->font()).family(), QStringLiteral("IPAGothic"));
  EXPECT_EQ(QFontInfo(form.clientArea()->font()).family(), QStringLiteral("IPAGothic"));
  EXPECT_EQ(QFontInfo(c.Picture1->font()).family(), QStringLiteral("IPAPGothic"));
  EXPECT_EQ(c.List1->fontMetrics().horizontalAdvance(QStringLiteral("0123456789")), 80);
}

TEST_F(Form1Layout, colours_are_as_designed) {
  auto back = [](QWidget* w) { return w->palette().color(QPalette::Window); };
  auto fore = [](QWidget* w) { return w->palette().color(QPalette::WindowText); };
  EXPECT_EQ(back(form.clientArea()), QColor(0, 0xC0, 0));
  EXPECT_EQ(back(c.Picture1), QColor(0, 0x80, 0));
  EXPECT_EQ(back(c.Label10), QColor(0, 0xC0, 0));
  EXPECT_EQ(fore(c.Label6), QColor(0x40, 0, 0x40));
  EXPECT_EQ(back(c.Label2), QColor(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(fore(c.Label13), QColor(0, 0, 0xFF));
  EXPECT_EQ(fore(c.Label14), QColor(0, 0, 0xC0));
  EXPECT_EQ(fore(c.Label1), QColor(0, 0, 0xC0));
  EXPECT_EQ(c.Text17->palette().color(QPalette::Base), QColor(Qt::white));
  EXPECT_EQ(c.Text17->palette().color(QPalette::Text), QColor(0x40, 0, 0x40));
  EXPECT_EQ(c.List1->palette().color(QPalette::Base), QColor(Qt::white));
}

TEST_F(Form1Layout, the_scroll_bar_has_the_focus_and_tab_goes_to_the_text_box_then_on) {
  EXPECT_EQ(QApplication::focusWidget(), c.HScroll1);
  for (QWidget* next : {static_cast<QWidget*>(c.Text17), c.Picture1,
                        static_cast<QWidget*>(c.List1), static_cast<QWidget*>(c.HScroll1)}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
  }
  for (CaptionLabel* label : form.clientArea()->findChildren<CaptionLabel*>()) {
    EXPECT_EQ(label->focusPolicy(), Qt::NoFocus) << label->objectName().toStdString();
  }
}

TEST_F(Form1Layout, the_scroll_bar_covers_0_to_32764_in_steps_of_1_and_100) {
  EXPECT_EQ(c.HScroll1->minimum(), 0);
  EXPECT_EQ(c.HScroll1->maximum(), 32764);
  EXPECT_EQ(c.HScroll1->singleStep(), 1);
  EXPECT_EQ(c.HScroll1->pageStep(), 100);
  EXPECT_FALSE(c.HScroll1->hasTracking());
}

TEST_F(Form1Layout, the_menus_carry_the_designed_captions_in_order) {
  QStringList titles;
  for (QAction* top : form.menuBar()->actions()) titles << top->text();
  EXPECT_EQ(titles, (QStringList{"ﾌｧｲﾙ(&F)", "実行(&R)", "ｵﾌﾟｼｮﾝ(&O)", "ﾍﾙﾌﾟ(&H)"}));
  QStringList file;
  for (QAction* item : menus.mfile->actions()) {
    file << (item->isSeparator() ? QStringLiteral("-") : item->text()) +
                QStringLiteral(" %1").arg(item->property("Index").toInt());
  }
  EXPECT_EQ(file, (QStringList{"結果出力先(&W) 1", "- 2", "結果の表示(&D) 3", "- 4", "終了(&E) 5"}));
  EXPECT_EQ(menus.mrun->text(), QStringLiteral("円周率の計算実行(&G)"));
  EXPECT_EQ(menus.mopt->text(), QStringLiteral("処理カウントの指定オプション(&C)"));
  EXPECT_EQ(menus.mhelpp->text(), QStringLiteral("zembraについて(&H)"));
  EXPECT_EQ(menus.mhelpv->text(), QStringLiteral("バージョン情報(&V)"));
  for (QAction* item : form.findChildren<QAction*>()) {
    EXPECT_TRUE(item->shortcut().isEmpty()) << item->text().toStdString();
  }
}

}  // namespace
}  // namespace zembra::ui::test
