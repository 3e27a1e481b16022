#include "ui/dialogs/replace_question.h"

#include <QPushButton>

#include "ui/common/design.h"
#include "ui/dialogs/file_selection/folder_entries.h"

namespace zembra::ui {

std::unique_ptr<QMessageBox> makeReplaceQuestionBox(QWidget* parent, const std::string& path) {
  const QString text = QStringLiteral(
                           "このファイルは円周率の計算結果ではありません。\n"
                           "計算結果で置き換えますか？\nファイル：") +
                       breakablePath(shownName(QByteArray::fromStdString(path)));
  auto box = std::make_unique<QMessageBox>(QMessageBox::Warning, QStringLiteral("zembra32"), text,
                                           QMessageBox::Yes | QMessageBox::No, parent);
  box->setObjectName(QStringLiteral("ReplaceQuestion"));
  box->button(QMessageBox::Yes)->setText(QStringLiteral("はい"));
  box->button(QMessageBox::No)->setText(QStringLiteral("いいえ"));
  box->setDefaultButton(QMessageBox::No);  // Esc answers いいえ too, as the No button
  return box;
}

bool askToReplaceFile(QWidget* parent, const std::string& path) {
  return makeReplaceQuestionBox(parent, path)->exec() == QMessageBox::Yes;
}

}  // namespace zembra::ui
