#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

// Shift-JIS (code page 932) text, a line at a time.

namespace zembra::ui {

// A decoder for code page 932, or an invalid one when this Qt has none.
QStringDecoder shiftJisDecoder();

// Decodes `bytes` with `decoder` (from shiftJisDecoder()). A byte that can
// neither stand alone nor begin a character with the byte after it becomes
// one U+FFFD; left to the decoder, it would turn into U+001A or vanish.
// ASCII bytes are taken as they are, control codes included (the decoder
// would swap 0x1A, 0x1C and 0x7F).
// Without a valid decoder the bytes are taken as Latin-1, so digits still show.
QString decodeShiftJis(QByteArrayView bytes, QStringDecoder& decoder);

// The length of `bytes` less a last byte that begins a double-byte character
// whose second byte is missing (a line cut in the middle of a character).
qsizetype wholeShiftJisLength(QByteArrayView bytes);

}  // namespace zembra::ui
