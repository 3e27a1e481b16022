// The window's message for a failed run: the program's own Japanese
// sentence, the file, and the system's reason.

#include <gtest/gtest.h>

#include <QSet>
#include <cerrno>
#include <cstring>

#include "ui/main/run_failure_message.h"

namespace zembra::ui::test {
namespace {

// The first line of the message: the program's own sentence.
QString sentenceOf(const RunError& error) { return runFailureMessage(error).section('\n', 0, 0); }

TEST(RunFailureMessage, says_in_japanese_what_the_path_is_then_the_file_and_the_systems_reason) {
  using Refusal = RunError::Refusal;
  // Each kind of refused path has a sentence of its own.
  QSet<QString> sentences;
  const Refusal refusals[] = {Refusal::Folder,       Refusal::BlockDevice,
                              Refusal::Socket,       Refusal::UnknownType,
                              Refusal::DescriptorNotWritable, Refusal::NoPipeReader,
                              Refusal::AppendOnlyOrImmutable, Refusal::UntrustedLink};
  for (Refusal refusal : refusals) sentences << sentenceOf(RunError::refused("/tmp/x", refusal));
  sentences << sentenceOf(RunError::fileError(RunError::Kind::FileOpen, "/tmp/x", ENOENT))
            << sentenceOf(RunError::fileError(RunError::Kind::FileWrite, "/tmp/x", ENOSPC));
  EXPECT_EQ(sentences.size(), static_cast<qsizetype>(std::size(refusals)) + 2);
  for (const QString& sentence : sentences) {
    EXPECT_TRUE(sentence.endsWith(u'。')) << sentence.toStdString();
  }

  // The path, which may wrap after each "/", then the reason where there is
  // one (in the C locale the tests run in, the system's English text).
  const std::string path = "/home/user/results/pi.txt";
  const QString withReason =
      runFailureMessage(RunError::fileError(RunError::Kind::FileWrite, path, ENOSPC));
  EXPECT_TRUE(QString(withReason).remove(QChar(0x200B)).contains("ファイル：" + QString::fromStdString(path)));
  EXPECT_TRUE(withReason.contains(QChar(0x200B)));
  EXPECT_TRUE(withReason.endsWith(QStringLiteral("理由：") + QString::fromLocal8Bit(std::strerror(ENOSPC))));
  EXPECT_FALSE(runFailureMessage(RunError::refused(path, Refusal::UnknownType)).contains("理由："));
}

}  // namespace
}  // namespace zembra::ui::test
