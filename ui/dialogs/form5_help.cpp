#include "ui/dialogs/form5_help.h"

#include <QLabel>
#include <QPushButton>

#include "ui/dialogs/form3_version.h"
#include "ui/dialogs/window_style.h"

namespace zembra::ui {
namespace {

struct HelpLine {
  const char* name;
  int left, top, width;
  const char* caption;
};

// One line each; the leading blanks indent the notes.
constexpr HelpLine kLines[] = {
    {"Label1", 90, 90, 2160, "ｚｅｍｂｒａヘルプ"},
    {"Label2", 0, 450, 6780, "  ﾌｧｲﾙ:結果の出力／計算結果をファイルへ出力する時指定する"},
    {"Label3", 60, 720, 6720, "                        指定が無い場合、計算結果は画面表示のみ"},
    {"Label10", 30, 990, 4320, "        結果の表示／出力ファイルの表示"},
    {"Label4", 0, 1305, 6585, "  ｵﾌﾟｼｮﾝ:処理進行カウンタ表示まるめの指示 初期値は１です"},
    {"Label5", 90, 1665, 5940, "          この値を大きくすれば表示負荷が軽減されます"},
    {"Label6", 0, 2025, 3540, "  実行：クリックで即実行します"},
    {"Label8", 0, 2385, 4395, "※有効桁の制限（３２７,６４０桁まで）"},
    {"Label11", 0, 2745, 6915, "※約45,000桁以上計算する場合、必ずファイル出力してください"},
    {"Label12", 0, 3105, 4620, "      画面表示リストＢＯＸがあふれます！"},
};

}  // namespace

Form5::Form5(QWidget* parent)
    : ModalWindow(parent, "ｚｅｍｂｒａヘルプ", Frame::Sizable, Icon::None) {
  resize(px(7305), px(3480));
  setBackground(this, colors::kLightGrey);
  for (const HelpLine& line : kLines) {
    auto* label = new QLabel(QString::fromUtf8(line.caption), this);
    label->setObjectName(line.name);
    place(label, line.left, line.top, line.width, 270);
  }
  auto* command2 = new QPushButton("バージョン情報", this);
  command2->setObjectName("Command2");
  command2->setAutoDefault(false);
  place(command2, 3870, 30, 1905, 375);
  auto* command1 = new QPushButton("確認", this);
  command1->setObjectName("Command1");
  command1->setAutoDefault(false);
  place(command1, 6120, 30, 915, 375);
  setTabOrder(command1, command2);
  connect(command1, &QPushButton::clicked, this, &QDialog::close);
  connect(command2, &QPushButton::clicked, this, &Form5::Command2_Click);
  Form_Load();
}

void Form5::Form_Load() { move(px(300), px(800)); }

void Form5::Command2_Click() { (new Form3(this))->exec(); }

}  // namespace zembra::ui
