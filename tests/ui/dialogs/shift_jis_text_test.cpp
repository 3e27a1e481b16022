// Shift-JIS lines decoded, with what is not Shift-JIS as U+FFFD.

#include "ui/dialogs/shift_jis_text.h"

#include <gtest/gtest.h>

#include "tests/ui/dialogs/modal_driver.h"

namespace zembra::ui {
namespace {

TEST(ShiftJisText, decodes_characters_and_marks_each_stray_byte) {
  const struct {
    QByteArray bytes;
    QString text;
  } cases[] = {
      {"", ""},
      {"3.1415926535  ", "3.1415926535  "},
      {"\x89\x7E\x8E\xFC\x97\xA6", "円周率"},
      {"\x81\x81\x82\xA0", "＝あ"},
      {"\xB1\xDF", "ｱﾟ"},                                                 // half-width kana
      {"\x80\xA0\xFD\xFE\xFF", QString(5, QChar::ReplacementCharacter)},  // no character
      {"ab\x82", "ab\uFFFD"},                                             // a first byte at the end
      {"\x82\x31\x82\x7F", "\uFFFD1\uFFFD\x7F"},                          // no second byte after it
      {"\x1A\x1C\x7F", "\x1A\x1C\x7F"},  // control codes as they are
      {QByteArray("a\0b", 3), QString::fromUtf16(u"a\0b", 3)},
  };
  QStringDecoder decoder = shiftJisDecoder();
  ASSERT_TRUE(decoder.isValid());
  for (const auto& line : cases) {
    EXPECT_EQ(decodeShiftJis(line.bytes, decoder), line.text) << line.bytes.toHex().data();
  }
}

TEST(ShiftJisText, a_cut_drops_only_a_first_byte_left_alone_at_the_end) {
  const struct {
    QByteArray bytes;
    qsizetype whole;
  } cases[] = {
      {"", 0},
      {"\x82", 0},
      {"a\x82\xA0", 3},
      {"a\x82\xA0\x82", 3},
      {"\x82\x82", 2},
      {"\x82\x82\x82", 2},
      {"\xB1\xFF", 2},
      {"1\x31\x82", 2},
      {"\x82\x31\x82", 2},
  };
  for (const auto& cut : cases) {
    EXPECT_EQ(wholeShiftJisLength(cut.bytes), cut.whole) << cut.bytes.toHex().data();
  }
}

}  // namespace
}  // namespace zembra::ui
