// The line index against a plain split of the same bytes.

#include "ui/dialogs/viewer/line_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "tests/engine/temp_folder.h"

namespace zembra::ui {
namespace {

constexpr std::size_t kCut = LineIndex::kMaxLineBytes;
using namespace std::string_literals;
using Lines = std::vector<std::string>;
using Shown = std::vector<std::pair<std::string, bool>>;  // bytes, and whether cut

// CR LF, LF and CR each end a line; what follows the last end is a line when not empty.
Lines referenceLines(const std::string& bytes) {
  Lines lines;
  for (std::size_t start = 0, end = 0; start < bytes.size(); start = end + 1) {
    end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
    lines.push_back(bytes.substr(start, end - start));
    if (bytes.compare(end, 2, "\r\n") == 0) ++end;
  }
  return lines;
}

// Where each line begins, as referenceLines() splits them.
std::vector<long long> referenceStarts(const std::string& bytes) {
  std::vector<long long> starts;
  for (std::size_t start = 0, end = 0; start < bytes.size(); start = end + 1) {
    starts.push_back(static_cast<long long>(start));
    end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
    if (bytes.compare(end, 2, "\r\n") == 0) ++end;
  }
  return starts;
}

// The lines as line() should give them: at most kCut bytes, marked when cut.
Shown shownLines(const Lines& lines) {
  Shown shown;
  for (const std::string& line : lines)
    shown.emplace_back(line.substr(0, kCut), line.size() > kCut);
  return shown;
}

// Every line the index holds, read from the last to the first when `backwards`.
Shown linesOf(const LineIndex& index, bool backwards = false) {
  Shown lines(static_cast<std::size_t>(index.lineCount()));
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const std::size_t i = backwards ? lines.size() - 1 - k : k;
    const LineIndex::Line line = index.line(static_cast<long long>(i));
    lines[i] = {line.bytes, line.cut};
  }
  return lines;
}

// Writes `bytes` to lines.txt in `folder` and indexes it, to the end unless not `wait`.
std::unique_ptr<LineIndex> indexed(const TempFolder& folder, const std::string& bytes,
                                   LineIndexOptions options = {}, bool wait = true) {
  writeBytes(folder.file("lines.txt"), bytes);
  auto index = std::make_unique<LineIndex>(folder.file("lines.txt"), std::move(options));
  if (wait) index->waitUntilDone();
  return index;
}

TEST(LineIndex, splits_every_kind_of_line_end_and_cuts_long_lines_with_any_block_and_step) {
  std::vector<std::string> files = {"\r\n\n\r\r\r\n\n\n\r", "abcdefghijklmnop",
                                    "a\0b\r\xff\x81\n\x82\xa0"s};
  // No line, empty lines only, and each kind of end after the last line, or none.
  for (const std::string end : {"", "\n", "\r", "\r\n", "\n\r"}) {
    files.insert(files.end(), {end, "one\r\ntwo" + end});
  }
  // Each line end at every offset from a block edge, also after a line long enough for memchr.
  for (std::size_t pad = 0; pad <= 33; ++pad) {
    files.push_back(std::string(pad, 'x') +
                    "ab\r\ncd\r\r\nef\n\rgh\rij\r\n\r\nk0123456789abcdefghij\r\nl");
  }
  // Lines around the cut length; a lone CR before a cut last line without an end.
  std::string longLines;
  for (std::size_t length : {kCut - 1, kCut, kCut + 1, 3 * kCut + 5, std::size_t{2}}) {
    longLines += std::string(length, static_cast<char>('a' + length % 26)) + "\r\n";
  }
  files.push_back(longLines + std::string(kCut, 'z') + "\r" + std::string(kCut + 1, 'y'));
  // The defaults, and tiny blocks and steps so that every line end meets a block edge and a
  // checkpoint.
  std::vector<LineIndexOptions> tunings{{}};
  for (std::size_t block : {1, 2, 3, 7, 32}) {
    tunings.push_back({.blockBytes = block, .checkpointLines = 3, .checkpointBytes = 1 << 20});
    tunings.push_back({.blockBytes = block, .checkpointLines = 1000, .checkpointBytes = 5});
    tunings.push_back({.blockBytes = block, .checkpointLines = 1, .checkpointBytes = 1});
  }
  for (const std::string& bytes : files) {
    const Lines expected = referenceLines(bytes);
    std::size_t longest = 0;
    for (const std::string& line : expected) longest = std::max(longest, line.size());
    for (std::size_t t = 0; t < tunings.size(); ++t) {
      SCOPED_TRACE(::testing::PrintToString(bytes).substr(0, 80) + ", tuning " + std::to_string(t));
      TempFolder folder;
      const auto index = indexed(folder, bytes, tunings[t]);
      EXPECT_FALSE(index->readError());
      EXPECT_FALSE(index->truncated());
      EXPECT_EQ(index->scannedBytes(), static_cast<long long>(bytes.size()));
      EXPECT_EQ(index->longestLine(), static_cast<long long>(longest));
      EXPECT_EQ(linesOf(*index), shownLines(expected));
      EXPECT_EQ(linesOf(*index, true), shownLines(expected));
      EXPECT_EQ(index->line(index->lineCount()).bytes + index->line(-1).bytes, "");
      // Offset to line, at each line's first and last byte, and line to offset (not in the
      // long lines: they would take seconds).
      if (bytes.size() > 1000) continue;
      const std::vector<long long> starts = referenceStarts(bytes);
      for (std::size_t i = 0; i < expected.size(); ++i) {
        const long long line = static_cast<long long>(i);
        EXPECT_EQ(index->lineStart(line), starts[i]);
        if (expected[i].empty()) continue;
        EXPECT_EQ(index->lineAt(starts[i]), line);
        EXPECT_EQ(index->lineAt(starts[i] + static_cast<long long>(expected[i].size()) - 1), line);
      }
      EXPECT_EQ(index->lineAt(-1), -1);
      EXPECT_EQ(index->lineAt(static_cast<long long>(bytes.size())), -1);
      EXPECT_EQ(index->lineStart(index->lineCount()), -1);
    }
  }
}

// As the viewer does: the last line found is read while the index grows; lines the file no
// longer holds read empty.
TEST(LineIndex, lines_read_while_indexing_runs_or_after_the_file_shrank_and_few_checkpoints) {
  TempFolder folder;
  std::string bytes;  // about 3 MB of lines of many lengths and every kind of end
  const char* const ends[] = {"\r\n", "\n", "\r"};
  for (int i = 0; i < 60000; ++i)
    bytes += std::string(i * 7919 % 97, '0' + i % 10) + ends[i / 7 % 3];
  const Shown expected = shownLines(referenceLines(bytes));
  const LineIndexOptions options{.blockBytes = 1024, .checkpointLines = 100};
  const auto index = indexed(folder, bytes, options, false);
  for (bool done = false; !done;) {
    done = index->done();  // before the count: once done, the count is final
    const long long count = index->lineCount();
    if (count > 0) {
      ASSERT_EQ(index->line(count - 1).bytes, expected[count - 1].first) << count;
    }
  }
  EXPECT_EQ(linesOf(*index), expected);
  EXPECT_GT(index->checkpointCount(), 1u);
  EXPECT_LE(static_cast<long long>(index->checkpointCount()),
            index->lineCount() / options.checkpointLines +
                static_cast<long long>(bytes.size()) / options.checkpointBytes + 1);
  // Asked at once, the line of the last digit waits for the indexing to get there.
  const LineIndex fresh(folder.file("lines.txt"), options);
  EXPECT_EQ(fresh.lineAt(static_cast<long long>(bytes.size()) - 3),
            static_cast<long long>(expected.size()) - 1);
  std::filesystem::resize_file(folder.file("lines.txt"), bytes.size() / 2);
  EXPECT_EQ(index->line(0).bytes, expected[0].first);
  EXPECT_EQ(index->line(index->lineCount() - 1).bytes, "");
}

// A sparse terabyte takes minutes to read: the test ends only if the destructor stops the thread.
TEST(LineIndex, destruction_stops_indexing_midway) {
  TempFolder folder;
  writeBytes(folder.file("terabyte.bin"), "");
  std::error_code failed;
  std::filesystem::resize_file(folder.file("terabyte.bin"), 1LL << 40, failed);
  if (failed) GTEST_SKIP() << "no sparse terabyte here: " << failed.message();
  const LineIndex index(folder.file("terabyte.bin"));
  while (index.scannedBytes() == 0) std::this_thread::yield();
  EXPECT_FALSE(index.done());
}

TEST(LineIndex, counting_stops_at_the_limit_and_says_so_when_more_lines_follow) {
  // Three lines, then the ends and lines that may follow them.
  for (const char* rest : {"", "\n", "\r\n", "\r", "\nd", "\n\n", "\r\r", "\r\n\r", "\r\nd\ne\n"}) {
    const std::string bytes = "a\nb\nc"s + rest;
    for (std::size_t block : {1, 3, 64}) {
      SCOPED_TRACE(::testing::PrintToString(bytes) + ", block " + std::to_string(block));
      TempFolder folder;
      const auto index = indexed(folder, bytes, {.blockBytes = block, .maxLines = 3});
      EXPECT_EQ(index->truncated(), referenceLines(bytes).size() > 3);
      EXPECT_EQ(linesOf(*index), shownLines({"a", "b", "c"}));
    }
  }
}

}  // namespace
}  // namespace zembra::ui
