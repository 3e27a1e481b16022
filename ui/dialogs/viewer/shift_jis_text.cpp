#include "ui/dialogs/viewer/shift_jis_text.h"

#include <algorithm>

namespace zembra::ui {
namespace {

bool isLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Bytes in the character at `i`: 1 or 2, or 0 when the byte at `i` begins none.
qsizetype charLength(QByteArrayView bytes, qsizetype i) {
  const auto byte = static_cast<unsigned char>(bytes[i]);
  if (byte < 0x80 || (byte >= 0xA1 && byte <= 0xDF)) return 1;  // ASCII, half-width kana
  if (!isLeadByte(byte) || i + 1 >= bytes.size()) return 0;
  const auto second = static_cast<unsigned char>(bytes[i + 1]);
  return second >= 0x40 && second <= 0xFC && second != 0x7F ? 2 : 0;
}

}  // namespace

QStringDecoder shiftJisDecoder() {
  return QStringDecoder("CP932", QStringConverter::Flag::Stateless);
}

QString decodeShiftJis(QByteArrayView bytes, QStringDecoder& decoder) {
  if (!decoder.isValid()) return QString::fromLatin1(bytes);
  QString text;
  qsizetype run = 0;  // where the bytes for the decoder not yet decoded begin
  const auto decodeRun = [&](qsizetype end) {
    if (end > run) text += decoder.decode(bytes.sliced(run, end - run));
  };
  for (qsizetype i = 0; i < bytes.size();) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    const qsizetype length = charLength(bytes, i);
    if (length > 0 && byte >= 0x80) {
      i += length;
      continue;
    }
    // ASCII is itself; the decoder would swap some control codes around.
    decodeRun(i);
    text += length > 0 ? QChar(byte) : QChar(QChar::ReplacementCharacter);
    run = ++i;
  }
  decodeRun(bytes.size());
  return text;
}

qsizetype wholeShiftJisLength(QByteArrayView bytes) {
  for (qsizetype i = 0; i < bytes.size();) {
    const qsizetype length = charLength(bytes, i);
    const bool last = i == bytes.size() - 1;
    if (length == 0 && last && isLeadByte(static_cast<unsigned char>(bytes[i]))) return i;
    i += std::max<qsizetype>(length, 1);
  }
  return bytes.size();
}

}  // namespace zembra::ui
