// The line index, against a plain split of the same bytes written here.
// Small block sizes and checkpoint steps put line ends on every block edge.

#include "ui/dialogs/line_index.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "tests/engine/temp_folder.h"

namespace zembra::ui {
namespace {

constexpr std::size_t kCut = LineIndex::kMaxLineBytes;

// The lines of `bytes`, one byte at a time: CR LF, LF and CR end a line; what
// follows the last line end is a line when it is not empty.
std::vector<std::string> referenceLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') {
      line += bytes[i];
      continue;
    }
    lines.push_back(line);
    line.clear();
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

long long longestOf(const std::vector<std::string>& lines) {
  std::size_t longest = 0;
  for (const std::string& line : lines) longest = std::max(longest, line.size());
  return static_cast<long long>(longest);
}

// Every line the index holds, read in the given order of rows.
std::vector<std::string> linesOf(const LineIndex& index, bool backwards = false) {
  const auto count = static_cast<std::size_t>(index.lineCount());
  std::vector<std::string> lines(count);
  for (std::size_t k = 0; k < count; ++k) {
    const std::size_t i = backwards ? count - 1 - k : k;
    lines[i] = index.line(static_cast<long long>(i)).bytes;
  }
  return lines;
}

// Indexes `bytes` with `options` and checks it against the plain split,
// reading the lines forwards and backwards.
void expectLikeReference(const std::string& bytes, const LineIndexOptions& options) {
  TempFolder folder;
  writeBytes(folder.file("lines.txt"), bytes);
  LineIndex index(folder.file("lines.txt"), options);
  index.waitUntilDone();
  const std::vector<std::string> expected = referenceLines(bytes);
  EXPECT_EQ(index.openError(), 0);
  EXPECT_EQ(index.readError(), 0);
  EXPECT_FALSE(index.truncated());
  EXPECT_EQ(index.scannedBytes(), static_cast<long long>(bytes.size()));
  EXPECT_EQ(index.lineCount(), static_cast<long long>(expected.size()));
  EXPECT_EQ(index.longestLine(), longestOf(expected));
  EXPECT_EQ(linesOf(index), expected);
  EXPECT_EQ(linesOf(index, true), expected);
  EXPECT_EQ(index.line(index.lineCount()).bytes, "");
  EXPECT_EQ(index.line(-1).bytes, "");
}

// Tiny blocks and steps, so that every edge case meets a block edge and a
// checkpoint; and the defaults.
std::vector<LineIndexOptions> tunings() {
  std::vector<LineIndexOptions> all;
  for (std::size_t block : {1, 2, 3, 7, 32}) {
    all.push_back({.blockBytes = block, .checkpointLines = 3, .checkpointBytes = 1 << 20});
    all.push_back({.blockBytes = block, .checkpointLines = 1000, .checkpointBytes = 5});
    all.push_back({.blockBytes = block, .checkpointLines = 1, .checkpointBytes = 1});
  }
  all.push_back({});
  return all;
}

std::string describe(const LineIndexOptions& options) {
  return "block " + std::to_string(options.blockBytes) + ", checkpoint every " +
         std::to_string(options.checkpointLines) + " lines / " +
         std::to_string(options.checkpointBytes) + " bytes";
}

struct LineEndCase {
  const char* name;
  std::string bytes;
};

const LineEndCase kLineEndCases[] = {
    {"crlf", "one\r\ntwo\r\nthree\r\n"},
    {"lf", "one\ntwo\nthree\n"},
    {"cr", "one\rtwo\rthree\r"},
    {"mixed", "one\r\ntwo\nthree\rfour\n\rfive"},
    {"cr_cr_lf", "one\r\r\ntwo\r\r\n\r\nthree"},
    {"lf_cr", "one\n\rtwo\n\r"},
    {"no_final_end", "one\r\ntwo"},
    {"one_line_no_end", "abcdefghijklmnop"},
    {"empty_file", ""},
    {"only_line_ends", "\r\n\n\r\r\r\n\n\n\r"},
    {"one_lf", "\n"},
    {"one_cr", "\r"},
    {"bytes_around_ends", std::string("a\0b\r\xff\x81\n\x82\xa0", 9)},
};

class LineEnds : public ::testing::TestWithParam<LineEndCase> {};

TEST_P(LineEnds, split_like_the_reference_with_any_block_and_step) {
  for (const LineIndexOptions& options : tunings()) {
    SCOPED_TRACE(describe(options));
    expectLikeReference(GetParam().bytes, options);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, LineEnds, ::testing::ValuesIn(kLineEndCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A CR LF, a CR CR and a line end at every position against the block edges,
// after short lines and after one long enough to be searched with memchr.
TEST(LineIndexEdges, line_ends_at_every_offset_of_a_block) {
  for (int pad = 0; pad <= 33; ++pad) {
    const std::string bytes = std::string(static_cast<std::size_t>(pad), 'x') +
                              "ab\r\ncd\r\r\nef\n\rgh\rij\r\n\r\nk0123456789abcdefghij\r\nl";
    for (const LineIndexOptions& options : tunings()) {
      SCOPED_TRACE("pad " + std::to_string(pad) + ", " + describe(options));
      expectLikeReference(bytes, options);
    }
  }
}

TEST(LineIndexCut, long_lines_are_cut_and_marked) {
  const std::string longest(3 * kCut + 5, 'L');
  std::string bytes;
  for (std::size_t length : {kCut - 1, kCut, kCut + 1, 3 * kCut + 5, std::size_t{2}}) {
    bytes += std::string(length, static_cast<char>('a' + length % 26)) + "\r\n";
  }
  bytes += std::string(kCut, 'z') + "\r";  // exactly the cut, then a lone CR
  bytes += std::string(kCut + 1, 'y');     // a last line without an end
  const std::vector<std::string> expected = referenceLines(bytes);
  for (const LineIndexOptions& options :
       {LineIndexOptions{.blockBytes = 7, .checkpointLines = 3, .checkpointBytes = 5},
        LineIndexOptions{}}) {
    SCOPED_TRACE(describe(options));
    TempFolder folder;
    writeBytes(folder.file("long.txt"), bytes);
    LineIndex index(folder.file("long.txt"), options);
    index.waitUntilDone();
    ASSERT_EQ(index.lineCount(), static_cast<long long>(expected.size()));
    EXPECT_EQ(index.longestLine(), static_cast<long long>(3 * kCut + 5));
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const LineIndex::Line line = index.line(static_cast<long long>(i));
      EXPECT_EQ(line.bytes, expected[i].substr(0, kCut)) << "line " << i;
      EXPECT_EQ(line.cut, expected[i].size() > kCut) << "line " << i;
    }
  }
}

// Lines of many lengths and every kind of end, from a fixed pseudo-random
// sequence.
std::string manyLines(std::size_t count) {
  std::string bytes;
  unsigned state = 12345;
  const char* const ends[] = {"\r\n", "\n", "\r"};
  for (std::size_t i = 0; i < count; ++i) {
    state = state * 1103515245u + 12345u;
    const std::size_t length = (state >> 16) % 97;
    bytes += std::string(length, static_cast<char>('0' + i % 10)) + ends[(state >> 8) % 3];
  }
  return bytes + "tail";
}

TEST(LineIndexLarge, a_file_of_many_checkpoints_counts_and_finds_every_line) {
  const std::string bytes = manyLines(60000);  // about 3 MB: several blocks and checkpoints
  const std::vector<std::string> expected = referenceLines(bytes);
  TempFolder folder;
  writeBytes(folder.file("many.txt"), bytes);
  for (const LineIndexOptions& options :
       {LineIndexOptions{}, LineIndexOptions{.blockBytes = 4096, .checkpointLines = 100}}) {
    SCOPED_TRACE(describe(options));
    LineIndex index(folder.file("many.txt"), options);
    index.waitUntilDone();
    ASSERT_EQ(index.lineCount(), static_cast<long long>(expected.size()));
    EXPECT_EQ(index.longestLine(), longestOf(expected));
    EXPECT_EQ(linesOf(index), expected);
    for (long long i = index.lineCount() - 1; i >= 0; i -= 101) {  // backwards, far apart
      ASSERT_EQ(index.line(i).bytes, expected[static_cast<std::size_t>(i)]) << "line " << i;
    }
    // Bounded by both steps, and more than one.
    const auto size = static_cast<long long>(bytes.size());
    EXPECT_GT(index.checkpointCount(), 1u);
    EXPECT_LE(static_cast<long long>(index.checkpointCount()),
              index.lineCount() / options.checkpointLines + size / options.checkpointBytes + 1);
  }
}

TEST(LineIndexLarge, memory_stays_bounded_for_empty_lines_and_one_huge_line) {
  TempFolder folder;
  writeBytes(folder.file("empty_lines.txt"), std::string(1'000'000, '\n'));
  LineIndex empty(folder.file("empty_lines.txt"));
  empty.waitUntilDone();
  EXPECT_EQ(empty.lineCount(), 1'000'000);
  EXPECT_EQ(empty.longestLine(), 0);
  EXPECT_GE(empty.checkpointCount(), 1'000'000u / 4096);  // one every 4096 lines…
  EXPECT_LE(empty.checkpointCount(), 1'000'000u / 4096 + 1'000'000u / 65536 + 1);  // …at most
  EXPECT_EQ(empty.line(999'999).bytes, "");

  // 64 MiB of NULs without a line end, with no disk space taken.
  const std::string nuls = folder.file("nuls.bin");
  writeBytes(nuls, "");
  std::filesystem::resize_file(nuls, 64 << 20);
  LineIndex huge(nuls);
  huge.waitUntilDone();
  EXPECT_EQ(huge.lineCount(), 1);
  EXPECT_EQ(huge.longestLine(), 64 << 20);
  EXPECT_EQ(huge.checkpointCount(), 1u);
  const LineIndex::Line line = huge.line(0);
  EXPECT_EQ(line.bytes, std::string(kCut, '\0'));
  EXPECT_TRUE(line.cut);
}

struct LimitCase {
  std::string bytes;
  bool truncated;
};

TEST(LineIndexLimit, counting_stops_at_the_limit_and_says_so_when_more_lines_follow) {
  const LimitCase cases[] = {
      {"a\nb\nc", false},    {"a\nb\nc\n", false},    {"a\nb\nc\r\n", false},
      {"a\nb\nc\r", false},  {"a\nb\nc\nd", true},    {"a\nb\nc\n\n", true},
      {"a\nb\nc\r\r", true}, {"a\nb\nc\r\n\r", true}, {"a\nb\nc\r\nd\ne\n", true},
  };
  for (const LimitCase& limit : cases) {
    for (std::size_t block : {1, 3, 64}) {
      SCOPED_TRACE(::testing::PrintToString(limit.bytes) + ", block " + std::to_string(block));
      TempFolder folder;
      writeBytes(folder.file("limit.txt"), limit.bytes);
      LineIndex index(folder.file("limit.txt"), {.blockBytes = block, .maxLines = 3});
      index.waitUntilDone();
      EXPECT_EQ(index.truncated(), limit.truncated);
      EXPECT_EQ(index.lineCount(), 3);
      EXPECT_EQ(linesOf(index), (std::vector<std::string>{"a", "b", "c"}));
    }
  }
}

TEST(LineIndexLimit, the_limit_leaves_int_rows_for_a_note_before_and_after) {
  EXPECT_EQ(LineIndex::kMaxLines + 2, static_cast<long long>(INT_MAX));
  TempFolder folder;
  writeBytes(folder.file("few.txt"), "a\nb\n");
  LineIndex index(folder.file("few.txt"), {.maxLines = LineIndex::kMaxLines + 100});
  index.waitUntilDone();
  EXPECT_EQ(index.lineCount(), 2);
  EXPECT_FALSE(index.truncated());
}

TEST(LineIndexOpen, what_is_not_a_plain_file_is_not_read) {
  TempFolder folder;
  const std::string fifo = folder.file("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    std::string path;
    int error;
  } cases[] = {
      {folder.file("missing.txt"), ENOENT},
      {folder.path().string(), EISDIR},
      {fifo, LineIndex::kNotAPlainFile},  // would wait for a writer if opened blocking
      {"/dev/null", LineIndex::kNotAPlainFile},
      {folder.file("a") + std::string(1, '\0') + "b", ENOENT},
      {"", ENOENT},
  };
  for (const auto& open : cases) {
    SCOPED_TRACE(open.path);
    LineIndex index(open.path);
    EXPECT_EQ(index.openError(), open.error);
    EXPECT_TRUE(index.done());
    index.waitUntilDone();
    EXPECT_EQ(index.lineCount(), 0);
    EXPECT_EQ(index.line(0).bytes, "");
  }
}

// Reads like pread, but the file seems to end, or fails with EIO, at `end`.
ReadAt endingAt(long long end, bool fail) {
  return [end, fail](int fd, char* buffer, std::size_t size, long long offset) -> long long {
    if (offset >= end && fail) {
      errno = EIO;
      return -1;
    }
    const auto left = static_cast<std::size_t>(std::max(0LL, end - offset));
    return ::pread(fd, buffer, std::min(size, left), offset);
  };
}

TEST(LineIndexErrors, a_failed_read_ends_indexing_with_the_complete_lines_found) {
  const std::string bytes = "one\r\ntwo\nthree\rfour";
  TempFolder folder;
  writeBytes(folder.file("failing.txt"), bytes);
  for (long long end = 0; end <= static_cast<long long>(bytes.size()); ++end) {
    for (bool fail : {false, true}) {
      SCOPED_TRACE("end " + std::to_string(end) + (fail ? ", EIO" : ", short"));
      LineIndex index(folder.file("failing.txt"), {.blockBytes = 3, .read = endingAt(end, fail)});
      index.waitUntilDone();
      const std::string seen = bytes.substr(0, static_cast<std::size_t>(end));
      std::vector<std::string> expected = referenceLines(seen);
      // A failure loses the line being read; an early end keeps it.
      const bool partial = !seen.empty() && seen.back() != '\n' && seen.back() != '\r';
      if (fail && partial) expected.pop_back();
      EXPECT_EQ(index.readError(), fail ? EIO : 0);
      EXPECT_EQ(linesOf(index), expected);
    }
  }
}

TEST(LineIndexErrors, lines_of_a_file_cut_short_after_indexing_read_empty) {
  TempFolder folder;
  const std::string path = folder.file("shrinking.txt");
  writeBytes(path, manyLines(2000));
  const std::vector<std::string> expected = referenceLines(manyLines(2000));
  LineIndex index(path, {.blockBytes = 512, .checkpointLines = 50});
  index.waitUntilDone();
  ASSERT_EQ(index.lineCount(), static_cast<long long>(expected.size()));
  const long long half = static_cast<long long>(std::filesystem::file_size(path)) / 2;
  std::filesystem::resize_file(path, static_cast<std::uintmax_t>(half));
  EXPECT_EQ(index.line(0).bytes, expected[0]);
  EXPECT_EQ(index.line(index.lineCount() - 1).bytes, "");
  std::filesystem::resize_file(path, 0);
  for (long long i = 0; i < index.lineCount(); i += 97) EXPECT_EQ(index.line(i).bytes, "") << i;
}

TEST(LineIndexThread, lines_can_be_read_while_indexing_runs) {
  const std::string bytes = manyLines(40000);
  const std::vector<std::string> expected = referenceLines(bytes);
  TempFolder folder;
  writeBytes(folder.file("growing.txt"), bytes);
  LineIndex index(folder.file("growing.txt"), {.blockBytes = 1024, .checkpointLines = 64});
  long long seen = 0;
  for (bool done = false; !done;) {
    done = index.done();  // before the count: once done, the count is final
    const long long count = index.lineCount();
    EXPECT_GE(count, seen);
    seen = count;
    if (count > 0) {
      const auto i = static_cast<std::size_t>(count - 1);
      ASSERT_EQ(index.line(count - 1).bytes, expected[i]) << "line " << i;
      EXPECT_GE(index.longestLine(), static_cast<long long>(expected[i].size()));
    }
    EXPECT_LE(index.scannedBytes(), index.fileSize());
  }
  EXPECT_EQ(seen, static_cast<long long>(expected.size()));
}

TEST(LineIndexThread, destruction_stops_indexing_midway) {
  // A terabyte with no disk space taken: reading it through would take
  // minutes, so this test only ends if the destructor stops the thread.
  TempFolder folder;
  const std::string path = folder.file("terabyte.bin");
  writeBytes(path, "");
  std::error_code failed;
  std::filesystem::resize_file(path, 1LL << 40, failed);
  if (failed) GTEST_SKIP() << "no sparse terabyte here: " << failed.message();
  auto index = std::make_unique<LineIndex>(path);
  while (index->scannedBytes() == 0) std::this_thread::yield();
  EXPECT_FALSE(index->done());
  EXPECT_EQ(index->lineCount(), 0);
  index.reset();
}

}  // namespace
}  // namespace zembra::ui
