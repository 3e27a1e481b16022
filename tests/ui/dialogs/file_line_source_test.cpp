// The result viewer's rows: the notice, a file's lines decoded from
// Shift-JIS, and the row that says why the rest is missing.

#include "ui/dialogs/file_line_source.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QTest>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <memory>
#include <thread>

#include "tests/engine/temp_folder.h"
#include "tests/ui/dialogs/modal_driver.h"
#include "ui/main/design.h"

namespace zembra::ui {
namespace {

constexpr std::size_t kCut = LineIndex::kMaxLineBytes;

QStringList rowsOf(const LineSource& source) {
  QStringList rows;
  for (long long row = 0; row < source.count(); ++row) rows << source.text(row);
  return rows;
}

class FileLineSourceTest : public ::testing::Test {
 protected:
  // Indexes `bytes` to the end and returns the viewer's rows for it.
  QStringList rowsFor(const std::string& bytes, LineIndexOptions options = {}) {
    writeBytes(folder.file("result.txt"), bytes);
    index = std::make_unique<LineIndex>(folder.file("result.txt"), std::move(options));
    index->waitUntilDone();
    source = std::make_unique<FileLineSource>(index.get(), QStringList{overLimitNotice()});
    return rowsOf(*source);
  }

  void TearDown() override { allowed = LLONG_MAX; }  // no reading left waiting

  TempFolder folder;
  std::atomic<long long> allowed{LLONG_MAX};
  std::unique_ptr<LineIndex> index;
  std::unique_ptr<FileLineSource> source;
};

TEST_F(FileLineSourceTest, the_notice_then_the_lines_decoded_from_shift_jis) {
  // "円周率の計算  桁数＝100", a digit line, bytes that are no Shift-JIS, and a
  // lone first byte of a character at the end of a line: the next line is
  // decoded on its own.
  const QStringList rows = rowsFor(
      "\x89\x7E\x8E\xFC\x97\xA6\x82\xCC\x8C\x76\x8E\x5A  \x8C\x85\x90\x94\x81\x81"
      "100\r\n3.1415926535\n\xFF\xFE\x80\rab\x82\nA");
  EXPECT_EQ(rows, (QStringList{overLimitNotice(), "円周率の計算  桁数＝100", "3.1415926535",
                               "\uFFFD\uFFFD\uFFFD", "ab\uFFFD", "A"}));
  EXPECT_EQ(source->longestLine(), 42);  // the notice: 21 full-width characters
}

TEST_F(FileLineSourceTest, a_cut_line_ends_in_the_mark_without_a_split_character) {
  const std::string wide = "\x82\xA0";                                           // あ
  const QStringList rows = rowsFor(std::string(kCut - 1, '1') + wide + "\r\n" +  // cut in あ
                                   std::string(kCut - 2, '2') + wide + "\r\n" +  // just fits
                                   std::string(kCut + 1, '3'));
  ASSERT_EQ(rows.size(), 4);
  EXPECT_EQ(rows[1], QString(kCut - 1, '1') + FileLineSource::kCutMark);
  EXPECT_EQ(rows[2], QString(kCut - 2, '2') + "あ");
  EXPECT_EQ(rows[3], QString(kCut, '3') + FileLineSource::kCutMark);
  EXPECT_EQ(source->longestLine(), static_cast<int>(kCut) + 3);  // the mark: " " and a wide "…"
}

TEST_F(FileLineSourceTest, a_last_row_says_why_the_rest_is_missing) {
  QStringList rows = rowsFor("a\nb\nc\n", {.maxLines = 2});
  EXPECT_EQ(rows, (QStringList{overLimitNotice(), "a", "b",
                               "（行数が多すぎるため、これより後は表示しません）"}));

  const auto failing = [](int, char*, std::size_t, long long) -> long long {
    errno = EIO;
    return -1;
  };
  rows = rowsFor("a\nb\n", {.read = failing});
  EXPECT_EQ(rows, (QStringList{overLimitNotice(),
                               "（ファイルを読めなくなったため、これより後は表示しません：" +
                                   indexErrorText(EIO) + "）"}));

  EXPECT_EQ(rowsFor("a\nb\n"), (QStringList{overLimitNotice(), "a", "b"}));
}

TEST_F(FileLineSourceTest, without_a_file_only_the_rows_before) {
  const FileLineSource none(nullptr, {overLimitNotice()});
  EXPECT_EQ(rowsOf(none), QStringList{overLimitNotice()});
  EXPECT_EQ(none.text(1), "");
  EXPECT_EQ(indexErrorText(LineIndex::kNotAPlainFile), "通常のファイルではありません");
  EXPECT_EQ(indexErrorText(ENOENT), QString::fromLocal8Bit(std::strerror(ENOENT)));
}

TEST_F(FileLineSourceTest, a_list_view_follows_the_index_as_it_grows) {
  std::string bytes;
  for (int i = 0; i < 1000; ++i) bytes += "line " + std::to_string(i) + "\n";
  writeBytes(folder.file("growing.txt"), bytes);
  // The file reads only as far as `allowed`: the indexing waits there.
  allowed = 64 * 31;
  const auto gated = [this](int fd, char* buffer, std::size_t size, long long offset) {
    while (offset >= allowed) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return static_cast<long long>(::pread(fd, buffer, size, offset));
  };
  index = std::make_unique<LineIndex>(folder.file("growing.txt"),
                                      LineIndexOptions{.blockBytes = 64, .read = gated});
  source = std::make_unique<FileLineSource>(index.get(), QStringList{overLimitNotice()});
  while (index->scannedBytes() < allowed) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  const auto early = std::count(bytes.begin(), bytes.begin() + allowed, '\n');

  LineListView view;
  view.setSource(source.get());
  view.resize(400, 200);
  view.show();
  EXPECT_FALSE(index->done());
  EXPECT_EQ(view.rowCount(), early + 1);
  view.setCurrentRow(100);
  const int first = view.firstVisibleRow();
  EXPECT_EQ(view.rowText(100), "line 99");

  allowed = LLONG_MAX;
  index->waitUntilDone();
  view.refresh();
  EXPECT_EQ(view.rowCount(), 1001);
  EXPECT_EQ(view.currentRow(), 100);
  EXPECT_EQ(view.firstVisibleRow(), first);
  QTest::keyClick(&view, Qt::Key_End);
  EXPECT_EQ(view.rowText(view.currentRow()), "line 999");
  view.setSource(nullptr);
  EXPECT_EQ(view.rowCount(), 0);
}

}  // namespace
}  // namespace zembra::ui
