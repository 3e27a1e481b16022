#include "ui/main/run_failure_message.h"

#include <QMessageBox>

namespace zembra::ui {
namespace {

QString headline(RunError::Kind kind) {
  switch (kind) {
    case RunError::Kind::FileOpen:
      return QStringLiteral("結果ファイルを作成できません。");
    case RunError::Kind::FileWrite:
      return QStringLiteral("結果ファイルに書き込めません。");
    case RunError::Kind::OutOfMemory:
      return QStringLiteral("メモリが足りないため、計算できません。");
    case RunError::Kind::OutOfResources:
      return QStringLiteral("システムの資源が足りないため、計算できません。");
    case RunError::Kind::Internal:
      return QStringLiteral("計算を続けられませんでした。");
    case RunError::Kind::NotANumber:
    case RunError::Kind::NegativeDigitCount:
    case RunError::Kind::DigitCountTooLarge:
      break;
  }
  return QStringLiteral("有効桁数が正しくないため、計算できません。");
}

}  // namespace

QString runFailureMessage(const RunError& error) {
  QString message = headline(error.kind());
  if (!error.path().empty()) {
    message += QStringLiteral("\nファイル：") + QString::fromStdString(error.path());
  }
  if (!error.reason().empty()) {
    message += QStringLiteral("\n理由：") + QString::fromStdString(error.reason());
  }
  return message;
}

std::unique_ptr<QMessageBox> makeRunFailureBox(QWidget* parent, const RunError& error) {
  auto box = std::make_unique<QMessageBox>(QMessageBox::Critical, QStringLiteral("zembra32"),
                                           runFailureMessage(error), QMessageBox::Ok, parent);
  box->setObjectName(QStringLiteral("RunFailure"));
  return box;
}

void showRunFailure(QWidget* parent, const RunError& error) {
  makeRunFailureBox(parent, error)->exec();
}

}  // namespace zembra::ui
