// The window's message for a failed run: the program's own Japanese
// sentence, the file, and the system's reason.

#include <gtest/gtest.h>

#include <cerrno>

#include "ui/main/run_failure_message.h"

namespace zembra::ui::test {
namespace {

TEST(RunFailureMessage, names_what_the_path_is_the_file_and_the_systems_reason) {
  using Refusal = RunError::Refusal;
  const std::vector<std::pair<RunError, QString>> cases = {
      {RunError::refused("/tmp/d", Refusal::Folder, EISDIR), QStringLiteral("フォルダーには結果を書き込めません。")},
      {RunError::refused("/dev/sda", Refusal::BlockDevice), QStringLiteral("ブロック型デバイスには")},
      {RunError::refused("/tmp/s", Refusal::Socket), QStringLiteral("ソケットには")},
      {RunError::refused("/dev/fd/9", Refusal::DescriptorNotWritable, EBADF), QStringLiteral("書き込み用に開かれていないファイル記述子")},
      {RunError::refused("/tmp/f", Refusal::NoPipeReader, ENXIO), QStringLiteral("名前付きパイプを読み取る")},
      {RunError::refused("/tmp/a", Refusal::AppendOnlyOrImmutable, EPERM), QStringLiteral("追記専用または変更不可")},
      {RunError::refused("/tmp/l", Refusal::UntrustedLink, EACCES), QStringLiteral("共有フォルダーにある他のユーザーのシンボリックリンク")},
      {RunError::refused("/tmp/x", Refusal::UnknownType), QStringLiteral("この種類のファイルには")},
      {RunError::fileError(RunError::Kind::FileOpen, "/tmp/n", ENAMETOOLONG), QStringLiteral("結果ファイルを作成できません。")},
      {RunError::fileError(RunError::Kind::FileWrite, "/tmp/w", ENOSPC), QStringLiteral("結果ファイルに書き込めません。")},
  };
  for (const auto& [error, sentence] : cases) {
    const QString message = runFailureMessage(error);
    EXPECT_TRUE(message.startsWith(sentence)) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("ファイル：") + QString::fromStdString(error.path())))
        << message.toStdString();
    // The test runs in the C locale: the system's reason is its English text.
    EXPECT_EQ(message.contains(QStringLiteral("理由：")), error.errorNumber() != 0) << message.toStdString();
    if (error.errorNumber() != 0) {
      EXPECT_TRUE(message.endsWith(QString::fromStdString(englishErrorText(error.errorNumber()))))
          << message.toStdString();
    }
  }
}

}  // namespace
}  // namespace zembra::ui::test
