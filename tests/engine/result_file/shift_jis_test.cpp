#include "engine/result_file/shift_jis.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace zembra {
namespace {

using namespace std::string_literals;

// Each line decoded, and its length once a first byte alone at the end is cut off: kanji,
// half-width kana, bytes of no character, a character code page 932 leaves unassigned, first
// bytes without a second, control codes; and the text back in Shift-JIS where it has a code.
TEST(ShiftJis, decodes_characters_marks_stray_bytes_and_cuts_only_a_lone_first_byte) {
  const std::tuple<std::string, std::string, std::size_t> cases[] = {
      {"", "", 0},
      {"3.14  ", "3.14  ", 6},
      {"\x89\x7E\x8E\xFC\x97\xA6\x81\x81\x82\xA0\x82", "円周率＝あ\uFFFD", 10},
      {"\xB1\xDF\x80\xA0\xFD\xFE\xFF", "ｱﾟ\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD", 7},
      {"\x85\x40"
       "a",
       "\uFFFDa", 3},
      {"\x82", "\uFFFD", 0},
      {"\x82\x82\x82", "ｂ\uFFFD", 2},
      {"\x82\x31\x82", "\uFFFD1\uFFFD", 2},
      {"\x82\x7F\x1A\x1C", "\uFFFD\x7F\x1A\x1C", 4},
      {"a\0b"s, "a\0b"s, 3},
  };
  ShiftJisDecoder decoder;
  for (const auto& [bytes, text, whole] : cases) {
    SCOPED_TRACE(testing::PrintToString(bytes));
    EXPECT_EQ(decoder.decode(bytes), text);
    EXPECT_EQ(wholeShiftJisLength(bytes), whole);
    if (text.find("\uFFFD") == std::string::npos) {
      EXPECT_TRUE(fitsShiftJis(text));
      EXPECT_EQ(toShiftJis(text), bytes);
    }
  }
  EXPECT_FALSE(fitsShiftJis("ü"));
  EXPECT_EQ(toShiftJis("π＝3\xFF"),
            "\x83\xCE\x81\x81"
            "3?");
  EXPECT_EQ(toShiftJis("ü€"), "??");
}

}  // namespace
}  // namespace zembra
