// Shift-JIS lines decoded, with what is not Shift-JIS as U+FFFD.

#include "ui/dialogs/shift_jis_text.h"

#include <gtest/gtest.h>

#include "tests/ui/dialogs/modal_driver.h"

namespace zembra::ui {
namespace {

// Each line decoded, and its length once a first byte alone at the end is cut off.
TEST(ShiftJisText, decodes_characters_marks_stray_bytes_and_cuts_only_a_lone_first_byte) {
  const struct {
    QByteArray bytes;
    QString text;
    qsizetype whole;
  } cases[] = {
      {"", "", 0},
      {"3.1415926535  ", "3.1415926535  ", 14},
      {"\x89\x7E\x8E\xFC\x97\xA6", "円周率", 6},
      {"\x81\x81\x82\xA0\x82", "＝あ\uFFFD", 4},
      {"\xB1\xDF\xFF", "ｱﾟ\uFFFD", 3},                                       // half-width kana
      {"\x80\xA0\xFD\xFE\xFF", QString(5, QChar::ReplacementCharacter), 5},  // no character
      {"\x82", "\uFFFD", 0},
      {"\x82\x82\x82", "ｂ\uFFFD", 2},
      {"\x82\x31\x82", "\uFFFD1\uFFFD", 2},           // no second byte after the first
      {"\x82\x7F\x1A\x1C", "\uFFFD\x7F\x1A\x1C", 4},  // control codes as they are
      {QByteArray("a\0b", 3), QString::fromUtf16(u"a\0b", 3), 3},
  };
  QStringDecoder decoder = shiftJisDecoder();
  ASSERT_TRUE(decoder.isValid());
  for (const auto& line : cases) {
    SCOPED_TRACE(line.bytes.toHex().toStdString());
    EXPECT_EQ(decodeShiftJis(line.bytes, decoder), line.text);
    EXPECT_EQ(wholeShiftJisLength(line.bytes), line.whole);
  }
}

}  // namespace
}  // namespace zembra::ui
