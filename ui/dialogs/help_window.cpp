#include "ui/dialogs/help_window.h"

#include <QLabel>
#include <QPushButton>

#include "ui/common/window_style.h"
#include "ui/dialogs/version_window.h"

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

HelpWindow::HelpWindow(QWidget* parent)
    : ModalWindow(parent, "ｚｅｍｂｒａヘルプ", Frame::Sizable, Icon::None) {
  resize(px(7305), px(3480));
  setBackground(this, colors::kLightGrey);
  for (const HelpLine& line : kLines) {
    auto* label = new QLabel(QString::fromUtf8(line.caption), this);
    label->setObjectName(line.name);
    place(label, line.left, line.top, line.width, 270);
  }
  QPushButton* versionButton =
      makeButton("Command2", QStringLiteral("バージョン情報"), 3870, 30, 1905, 375);
  QPushButton* confirmButton = makeConfirmButton(6120, 30, 915, 375);
  setTabOrder(confirmButton, versionButton);
  confirmButton->setFocus();  // first in the tab order: Space or Enter closes
  connect(versionButton, &QPushButton::clicked, this, &HelpWindow::onVersionClicked);
  move(px(300), px(800));
}

void HelpWindow::onVersionClicked() { (new VersionWindow(this))->exec(); }

}  // namespace zembra::ui
