// The result viewer's rows: the notice, a file's lines decoded from
// Shift-JIS, and the row that says why the rest is missing.

#include "ui/dialogs/file_line_source.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "tests/engine/temp_folder.h"
#include "tests/ui/dialogs/modal_driver.h"
#include "ui/main/design.h"

namespace zembra::ui {
namespace {

constexpr std::size_t kCut = LineIndex::kMaxLineBytes;
const QString kNotice = "４万５千桁を越えた為、画面表示はしません！";  // 42 columns

long long failingRead(int, char*, std::size_t, long long) {
  errno = EIO;
  return -1;
}

TEST(FileLineSource, shows_the_notice_the_decoded_lines_and_why_the_rest_is_missing) {
  const std::string wide = "\x82\xA0";  // あ
  const QString ioError = QString::fromLocal8Bit(std::strerror(EIO));
  const struct {
    std::string bytes;
    long long maxLines;  // 0: no limit
    bool failing;        // every read fails
    QStringList rows;
    int columns;  // of the widest row
  } cases[] = {
      {"a\nb\n", 0, false, {kNotice, "a", "b"}, 42},
      // "円周率", bytes that are no Shift-JIS, and a first byte alone at a line's end.
      {"\x89\x7E\x8E\xFC\x97\xA6\r\n3.14\n\xFF\xFE\x80\rab\x82\nA",
       0,
       false,
       {kNotice, "円周率", "3.14", "\uFFFD\uFFFD\uFFFD", "ab\uFFFD", "A"},
       42},
      {"a\nb\nc\n",
       2,
       false,
       {kNotice, "a", "b", "（行数が多すぎるため、これより後は表示しません）"},
       48},
      {"a\nb\n",
       0,
       true,
       {kNotice, "（ファイルを読めなくなったため、これより後は表示しません：" + ioError + "）"},
       60 + static_cast<int>(ioError.size())},
      // Cut inside あ, just fitting, and cut: the mark, without half a character.
      {std::string(kCut - 1, '1') + wide + "\r\n" + std::string(kCut - 2, '2') + wide + "\r\n" +
           std::string(kCut + 1, '3'),
       0,
       false,
       {kNotice, QString(kCut - 1, '1') + " …", QString(kCut - 2, '2') + "あ",
        QString(kCut, '3') + " …"},
       static_cast<int>(kCut) + 3},
  };
  for (const auto& file : cases) {
    SCOPED_TRACE(file.rows.last().left(40).toStdString());
    TempFolder folder;
    writeBytes(folder.file("result.txt"), file.bytes);
    LineIndex index(folder.file("result.txt"),
                    {.maxLines = file.maxLines, .read = file.failing ? failingRead : ReadAt()});
    index.waitUntilDone();
    const FileLineSource source(&index, {overLimitNotice()});
    QStringList rows;
    for (long long row = 0; row < source.count(); ++row) rows << source.text(row);
    EXPECT_EQ(rows, file.rows);
    EXPECT_EQ(source.longestLine(), file.columns);
  }
}

}  // namespace
}  // namespace zembra::ui
