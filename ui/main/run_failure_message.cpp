#include "ui/main/run_failure_message.h"

#include <QMessageBox>
#include <clocale>
#include <cstring>

#include "ui/common/design.h"

namespace zembra::ui {
namespace {

QString refusalHeadline(Error::Refusal refusal) {
  switch (refusal) {
    case Error::Refusal::Folder:
      return QStringLiteral("フォルダーには結果を書き込めません。ファイル名を指定してください。");
    case Error::Refusal::BlockDevice:
      return QStringLiteral("ブロック型デバイスには結果を書き込めません。");
    case Error::Refusal::Socket:
      return QStringLiteral("ソケットには結果を書き込めません。");
    case Error::Refusal::DescriptorNotWritable:
      return QStringLiteral("書き込み用に開かれていないファイル記述子です。");
    case Error::Refusal::NoPipeReader:
      return QStringLiteral("名前付きパイプを読み取るプログラムがないため、計算を始めません。");
    case Error::Refusal::AppendOnlyOrImmutable:
      return QStringLiteral("追記専用または変更不可のファイルのため、書き換えられません。");
    case Error::Refusal::UntrustedLink:
      return QStringLiteral(
          "共有フォルダーにある他のユーザーのシンボリックリンクのため、たどりません。");
    case Error::Refusal::FileSizeLimit:
      return QStringLiteral(
          "結果がこのプログラムのファイルサイズの上限を超えるため、計算を始めません。");
    case Error::Refusal::UnknownType:
    case Error::Refusal::None:
      break;
  }
  return QStringLiteral("この種類のファイルには結果を書き込めません。");
}

QString headline(const Error& error) {
  switch (error.kind()) {
    case Error::Kind::FileOpen:
      return QStringLiteral("結果ファイルを作成できません。");
    case Error::Kind::FileOpenForWriting:
      return QStringLiteral("結果ファイルを書き込み用に開けません。");
    case Error::Kind::FileBusy:
      return QStringLiteral(
          "このプログラムの別の実行が同じファイルに書き込んでいるため、書き込めません。");
    case Error::Kind::FileWrite:
      return QStringLiteral("結果ファイルに書き込めません。");
    case Error::Kind::TargetRefused:
      return refusalHeadline(error.refusal());
    case Error::Kind::OutOfMemory:
      return QStringLiteral("メモリが足りないため、計算できません。");
    case Error::Kind::OutOfResources:
      return QStringLiteral("システムの資源が足りないため、計算できません。");
    case Error::Kind::Internal:
    case Error::Kind::Usage:
    case Error::Kind::FolderUnreadable:
    case Error::Kind::FileUnreadable:
    case Error::Kind::NotAPlainFile:
      return QStringLiteral("計算を続けられませんでした。");
    case Error::Kind::NegativeDigitCount:
    case Error::Kind::DigitCountTooLarge:
      break;
  }
  return QStringLiteral("有効桁数が正しくないため、計算できません。");
}

// The system's reason in the user's language (LC_MESSAGES) where the system
// has a translation, else as the engine gave it.
QString systemReason(const Error& error) {
  if (error.errorNumber() == 0) return QString::fromStdString(error.reason());
  const locale_t userLocale = ::newlocale(LC_MESSAGES_MASK, "", static_cast<locale_t>(nullptr));
  if (!userLocale) return QString::fromStdString(error.reason());
  const QString text = QString::fromLocal8Bit(::strerror_l(error.errorNumber(), userLocale));
  ::freelocale(userLocale);
  return text;
}

}  // namespace

QString runFailureMessage(const Error& error) {
  QString message = headline(error);
  if (!error.path().empty()) {
    message += QStringLiteral("\nファイル：") + breakablePath(QString::fromStdString(error.path()));
  }
  const QString reason = systemReason(error);
  if (!reason.isEmpty()) message += QStringLiteral("\n理由：") + reason;
  if (!error.keptBackup().empty()) {
    message += QStringLiteral("\n元の内容の写し：") +
               breakablePath(QString::fromStdString(error.keptBackup()));
  }
  return message;
}

std::unique_ptr<QMessageBox> makeRunFailureBox(QWidget* parent, const Error& error) {
  auto box = std::make_unique<QMessageBox>(QMessageBox::Critical, QStringLiteral("zembra32"),
                                           runFailureMessage(error), QMessageBox::Ok, parent);
  box->setObjectName(QStringLiteral("RunFailure"));
  return box;
}

void showRunFailure(QWidget* parent, const Error& error) {
  makeRunFailureBox(parent, error)->exec();
}

void showLeftoverBackupNotice(QWidget* parent, const std::string& backup) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("zembra32"),
                  QStringLiteral("以前の実行がこのファイルの上書き中に止まったため、"
                                 "元の内容の写しが残っています。\n写し：") +
                      breakablePath(QString::fromStdString(backup)),
                  QMessageBox::Ok, parent);
  box.setObjectName(QStringLiteral("LeftoverBackup"));
  box.exec();
}

}  // namespace zembra::ui
