// The viewer's search of a file, against a plain find over the reference's decimals.

#include "ui/dialogs/viewer/file_digit_search.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "tests/engine/result_text.h"
#include "tests/engine/temp_folder.h"

namespace zembra::ui {
namespace {

using Direction = FileDigitSearch::Direction;

class FileDigitSearchTest : public ::testing::Test {
 protected:
  void write(const std::string& bytes) {
    writeBytes(folder.file("pi.txt"), bytes);
    index = std::make_unique<LineIndex>(folder.file("pi.txt"));
  }
  // What a search from `after` ends with.
  FileDigitSearch::State search(const std::string& digits, Direction direction, long long after) {
    const FileDigitSearch search(folder.file("pi.txt"), *index, digits, direction, after);
    while (!search.state().done) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return search.state();
  }
  long long placeOf(const std::string& digits, Direction direction, long long after) {
    const FileDigitSearch::State state = search(digits, direction, after);
    EXPECT_EQ(state.count, static_cast<long long>(test::referencePlaces(digits, 1000).size()));
    EXPECT_FALSE(state.plainText || state.error);
    if (state.found) offsets[state.found->place] = state.found->offset;
    return state.found ? state.found->place : 0;
  }

  TempFolder folder;
  std::unique_ptr<LineIndex> index;
  std::map<long long, long long> offsets;  // of each place found
};

// From no occurrence, from the first, the second and the last, both ways, round the end.
TEST_F(FileDigitSearchTest, finds_the_next_and_the_previous_round_the_end_and_counts_them_all) {
  write(test::resultFile("1000", test::digitLines(1000)));
  const std::string digits = "14";
  const std::vector<long long> places = test::referencePlaces(digits, 1000);
  ASSERT_GE(places.size(), 3u);
  const long long first = places.front(), second = places[1], last = places.back();
  EXPECT_EQ(placeOf(digits, Direction::Next, -1), first);
  EXPECT_EQ(placeOf(digits, Direction::Previous, -1), last);
  EXPECT_EQ(placeOf(digits, Direction::Next, offsets[first]), second);
  EXPECT_EQ(placeOf(digits, Direction::Previous, offsets[second]), first);
  EXPECT_EQ(placeOf(digits, Direction::Next, offsets[last]), first);
  EXPECT_EQ(placeOf(digits, Direction::Previous, offsets[first]), last);
}

// Places 47 … 54 run from the first digit line (file line 2) into the next: the marks name
// the bytes of the sought digits in each.
TEST_F(FileDigitSearchTest, marks_the_digits_found_in_each_line_they_cover) {
  const std::vector<std::string> lines = test::digitLines(1000);
  write(test::resultFile("1000", lines));
  const std::string digits = test::referencePi().substr(46, 8);
  const FileDigitSearch::State state = search(digits, Direction::Next, -1);
  ASSERT_TRUE(state.found);
  EXPECT_EQ(state.found->place, 47);
  EXPECT_EQ(state.found->line, 2);
  ASSERT_EQ(state.found->marks.size(), 2u);
  std::string marked;
  for (const FileDigitSearch::Found::LineMarks& line : state.found->marks) {
    const std::string text = "\"" + lines[static_cast<std::size_t>(line.line - 2)] + "\"";
    for (const int column : line.columns) marked += text.at(static_cast<std::size_t>(column));
  }
  EXPECT_EQ(state.found->marks[1].line, 3);
  EXPECT_EQ(marked, digits);
}

// Plain text, a sequence that is nowhere, a file that cannot be read.
TEST_F(FileDigitSearchTest, plain_text_none_and_an_unreadable_file_end_the_search_too) {
  write("abc 12 34\r\n5 6\r\n1234");
  FileDigitSearch::State state = search("1234", Direction::Next, -1);
  EXPECT_TRUE(state.plainText);
  EXPECT_EQ(state.count, 2);
  ASSERT_TRUE(state.found);
  EXPECT_EQ(state.found->place, 1);
  EXPECT_EQ(state.found->line, 0);
  state = search("0000", Direction::Previous, -1);
  EXPECT_FALSE(state.found);
  EXPECT_EQ(state.count, 0);
  std::filesystem::remove(folder.file("pi.txt"));
  state = search("1", Direction::Next, -1);
  ASSERT_TRUE(state.error);
  EXPECT_EQ(state.error->kind(), Error::Kind::FileUnreadable);
}

// A sparse terabyte takes minutes to read: the test ends only if a search replaced midway
// stops at once.
TEST_F(FileDigitSearchTest, a_search_replaced_midway_stops_at_once) {
  write("");
  std::error_code failed;
  std::filesystem::resize_file(folder.file("pi.txt"), 1LL << 40, failed);
  if (failed) GTEST_SKIP() << "no sparse terabyte here: " << failed.message();
  for (int replaced = 0; replaced < 3; ++replaced) {
    const FileDigitSearch search(folder.file("pi.txt"), *index, "1", Direction::Next, -1);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(search.state().done);
  }
}

}  // namespace
}  // namespace zembra::ui
