#include "engine/digit_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/engine/result_text.h"

namespace zembra {
namespace {

using test::digitLines;
using test::referencePlaces;
using test::resultFile;

constexpr long long kDecimals = 1000;
const std::string& kPi = test::referencePi();

// Everything found in `text`, fed in pieces of `piece` bytes; each digit offset checked.
std::vector<DigitMatch> scan(const std::string& digits, const std::string& text,
                             std::size_t piece = 7) {
  std::vector<DigitMatch> found;
  DigitScanner scanner(digits, [&](const DigitMatch& match) { found.push_back(match); });
  for (std::size_t at = 0; at < text.size(); at += piece) scanner.feed(text.substr(at, piece));
  scanner.end();
  for (const DigitMatch& match : found) {
    EXPECT_EQ(match.offset, match.digitOffsets.front());
    for (std::size_t i = 0; i < digits.size(); ++i) {
      EXPECT_EQ(text[static_cast<std::size_t>(match.digitOffsets[i])], digits[i]);
    }
  }
  return found;
}

std::vector<long long> placesOf(const std::vector<DigitMatch>& matches) {
  std::vector<long long> places;
  for (const DigitMatch& match : matches) places.push_back(match.place);
  return places;
}

// At the edges: place 1, the last decimal, across a group blank and a line end, what only the
// running count or the guard group would complete, none, overlaps, and the six nines at 762.
TEST(DigitSearch, finds_what_a_plain_find_over_the_decimals_finds) {
  const std::string line1 = kPi.substr(0, 50);
  const std::vector<std::string> sought = {
      kPi.substr(0, 4),                        // place 1
      kPi.substr(kDecimals - 6, 6),            // ends at place 1,000
      kPi.substr(7, 6),                        // across the blank after the first group
      kPi.substr(46, 8),                       // across the first line end
      line1.substr(45) + "50",                 // only with the running count ": 50"
      std::string(1, '0').append(kPi, 50, 5),  // only with the count's last digit
      kPi.substr(kDecimals - 3, 7),            // only into the guard group
      "31415",                                 // only with the integer part
      "0123456789",                            // nowhere
      "99",                                    // overlapping, in "999999"
      "999999",
  };
  const std::vector<std::string> lines = digitLines(kDecimals);
  const std::string file = resultFile("1000", lines);
  for (const std::string& digits : sought) {
    SCOPED_TRACE(digits);
    const std::vector<long long> expected = referencePlaces(digits, kDecimals);
    EXPECT_EQ(placesOf(scan(digits, file)), expected);
    EXPECT_EQ(placesOf(scan(digits, file, 4096)), expected);
    std::vector<long long> fromLines;
    DigitScanner scanner = DigitScanner::forDigitLines(
        digits, kDecimals, [&](const DigitMatch& match) { fromLines.push_back(match.place); });
    for (const std::string& line : lines) scanner.feed(line + "\n");
    EXPECT_EQ(fromLines, expected);
  }
  EXPECT_EQ(placesOf(scan("999999", file)), (std::vector<long long>{762}));
  const std::vector<long long> nines = placesOf(scan("99", file));
  for (long long place = 762; place <= 766; ++place) {
    EXPECT_NE(std::find(nines.begin(), nines.end(), place), nines.end()) << place;
  }
}

// A file cut short is searched in the decimals it holds; a fractional count searches its whole
// decimals; a count of 0 has none.
TEST(DigitSearch, a_short_file_or_an_odd_count_searches_the_decimals_there_are) {
  const std::vector<std::string> lines = digitLines(kDecimals);
  const std::vector<std::string> first(lines.begin(), lines.begin() + 3);
  const std::string tail = kPi.substr(146, 4);  // places 147 … 150, the last held
  EXPECT_EQ(placesOf(scan(tail, resultFile("1000", first))), referencePlaces(tail, 150));
  EXPECT_TRUE(scan(kPi.substr(150, 4), resultFile("1000", first)).empty());
  const std::vector<std::string> twelve = digitLines(12);
  EXPECT_EQ(placesOf(scan(kPi.substr(8, 4), resultFile("12.5", twelve))),
            referencePlaces(kPi.substr(8, 4), 12));
  EXPECT_TRUE(scan(kPi.substr(9, 4), resultFile("12.5", twelve)).empty()) << "place 13 is guard";
  EXPECT_TRUE(scan("1", resultFile("0", digitLines(0))).empty());
}

// Not a result file: each line on its own, blanks ignored, the line number as the place.
TEST(DigitSearch, plain_text_is_searched_line_by_line) {
  const std::string text = "abc 12 34\r\n5 6x78\n\n1234";
  EXPECT_EQ(placesOf(scan("1234", text)), (std::vector<long long>{1, 4}));
  EXPECT_TRUE(scan("345", text).empty()) << "not across a line end";
  EXPECT_TRUE(scan("678", text).empty()) << "a letter breaks it";
  EXPECT_EQ(placesOf(scan("56", text)), (std::vector<long long>{2}));
  const std::vector<std::string> lines = digitLines(100);
  for (const char* count : {"1e3", "", "-5", "100 "}) {
    SCOPED_TRACE(count);
    const std::vector<DigitMatch> found = scan(kPi.substr(46, 8), resultFile(count, lines));
    EXPECT_TRUE(found.empty()) << "not a plain number: plain text, no match across lines";
    EXPECT_EQ(placesOf(scan(kPi.substr(0, 5), resultFile(count, lines))),
              (std::vector<long long>{3}));
  }
  EXPECT_EQ(digitSequence("0123"), "0123");
  for (const char* bad : {"", "12a", " 1", "１"}) EXPECT_FALSE(digitSequence(bad)) << bad;
}

}  // namespace
}  // namespace zembra
