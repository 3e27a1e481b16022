// The secondary windows as designed: size, where each control sits (twips,
// 15 to a pixel), colours, texts and the keyboard order.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListView>
#include <QPushButton>

#include "tests/ui/dialogs/modal_driver.h"
#include "ui/dialogs/form2_file_selection.h"
#include "ui/dialogs/form3_version.h"
#include "ui/dialogs/form4_counter_options.h"
#include "ui/dialogs/form5_help.h"
#include "ui/dialogs/form6_result_viewer.h"

namespace zembra::ui {
namespace {

struct Place {
  const char* name;
  int left, top, width, height;  // twips
};

void expectPlaces(QWidget& window, std::initializer_list<Place> places) {
  for (const Place& place : places) {
    auto* control = window.findChild<QWidget*>(place.name);
    ASSERT_NE(control, nullptr) << place.name;
    EXPECT_EQ(control->pos(), QPoint(place.left, place.top) / 15) << place.name;
    EXPECT_EQ(control->width(), place.width / 15) << place.name;
  }
}

// The controls that Tab visits, from `first`, in order.
QStringList tabOrder(QWidget& window, const char* first, int count) {
  QStringList names;
  QWidget* control = window.findChild<QWidget*>(first);
  for (int i = 0; i < count && control; ++i, control = control->nextInFocusChain()) {
    while (control->focusPolicy() == Qt::NoFocus || control->objectName().isEmpty()) {
      control = control->nextInFocusChain();
    }
    names << control->objectName();
  }
  return names;
}

QColor background(QWidget* widget) { return widget->palette().color(widget->backgroundRole()); }

TEST(DialogLayout, file_selection) {
  GlobalState state;
  Form2 dialog(state, Volumes({"/"}));
  EXPECT_EQ(dialog.size(), QSize(461, 235));
  expectPlaces(dialog, {{"File1", 4500, 495, 2325, 2910},
                        {"Text1", 4500, 60, 2325, 405},
                        {"Command1", 2760, 120, 825, 375},
                        {"Dir1", 120, 510, 4335, 2730},
                        {"Drive1", 120, 60, 2415, 390},
                        {"Label2", 3750, 90, 630, 270},
                        {"Label1", 120, 3240, 4365, 270}});
  EXPECT_EQ(background(&dialog), QColor(0x80, 0x80, 0x80));
  EXPECT_EQ(background(dialog.findChild<QWidget*>("Label2")), QColor(0, 0xC0, 0));
  EXPECT_EQ(dialog.findChild<QWidget*>("Drive1")->palette().color(QPalette::Text), Qt::red);
  EXPECT_EQ(dialog.findChild<QLabel*>("Label2")->text(), "FILE→");
  EXPECT_EQ(tabOrder(dialog, "Drive1", 5),
            (QStringList{"Drive1", "Dir1", "Command1", "Text1", "File1"}));
  EXPECT_EQ(dialog.pos(), QPoint(33, 80));
}

TEST(DialogLayout, result_viewer) {
  GlobalState state;
  Form6 viewer(state);
  EXPECT_EQ(viewer.size(), QSize(586, 348));
  expectPlaces(viewer, {{"List1", 0, 450, 8790, 4740},
                        {"Command1", 7740, 0, 975, 375},
                        {"Label1", 240, 60, 6105, 345}});
  EXPECT_EQ(viewer.findChild<QWidget*>("Label1")->palette().color(QPalette::WindowText), Qt::white);
  EXPECT_EQ(viewer.pos(), QPoint(17, 67));
}

TEST(DialogLayout, counter_options) {
  GlobalState state;
  Form4 dialog(state);
  EXPECT_EQ(dialog.size(), QSize(256, 189));
  expectPlaces(dialog, {{"Label1", 180, 180, 3360, 270},
                        {"HScroll1", 315, 990, 1305, 345},
                        {"Text1", 315, 570, 1275, 405},
                        {"Command1", 2475, 675, 915, 465},
                        {"Frame1", 150, 1500, 3540, 1215},
                        {"Option1", 225, 375, 2940, 315},
                        {"Option2", 225, 750, 2565, 315}});
  EXPECT_EQ(background(&dialog), QColor(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(tabOrder(dialog, "HScroll1", 4),
            (QStringList{"HScroll1", "Text1", "Command1", "Option1"}));
  EXPECT_EQ(dialog.pos(), QPoint(133, 100));
}

TEST(DialogLayout, help_texts_are_exact) {
  Form5 help;
  EXPECT_EQ(help.size(), QSize(487, 232));
  const std::pair<const char*, QString> texts[] = {
      {"Label1", "ｚｅｍｂｒａヘルプ"},
      {"Label2", "  ﾌｧｲﾙ:結果の出力／計算結果をファイルへ出力する時指定する"},
      {"Label3", QString(24, ' ') + "指定が無い場合、計算結果は画面表示のみ"},
      {"Label10", QString(8, ' ') + "結果の表示／出力ファイルの表示"},
      {"Label4", "  ｵﾌﾟｼｮﾝ:処理進行カウンタ表示まるめの指示 初期値は１です"},
      {"Label5", QString(10, ' ') + "この値を大きくすれば表示負荷が軽減されます"},
      {"Label6", "  実行：クリックで即実行します"},
      {"Label8", "※有効桁の制限（３２７,６４０桁まで）"},
      {"Label11", "※約45,000桁以上計算する場合、必ずファイル出力してください"},
      {"Label12", QString(6, ' ') + "画面表示リストＢＯＸがあふれます！"}};
  for (const auto& [name, text] : texts) {
    EXPECT_EQ(help.findChild<QLabel*>(name)->text(), text) << name;
  }
  EXPECT_EQ(help.findChild<QPushButton*>("Command2")->text(), "バージョン情報");
  EXPECT_EQ(tabOrder(help, "Command1", 2), (QStringList{"Command1", "Command2"}));
}

TEST(DialogLayout, version) {
  Form3 version;
  EXPECT_EQ(version.size(), QSize(224, 153));
  expectPlaces(version, {{"Picture1", 45, 45, 510, 510},
                         {"Picture2", 90, 1080, 510, 510},
                         {"Command1", 2340, 1800, 885, 375}});
  EXPECT_EQ(version.findChild<QLabel*>("Label2")->text(), "円周率の計算");
  EXPECT_EQ(version.findChild<QLabel*>("Label1")->pos(), QPoint(49, 8));
}

}  // namespace
}  // namespace zembra::ui
