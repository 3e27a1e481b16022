#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>

// The program's one conversion from text to number: what the user's locale
// writes as a number, and nothing else.

namespace zembra::ui {

// Accepts a sign, digits, group separators, a decimal point and an exponent
// as the locale writes them, with blanks around; rejects the empty text,
// "inf", "nan", hexadecimal, numbers too large for a double and anything else.
std::optional<double> parseLocaleNumber(const QString& text, const QLocale& locale = QLocale());

// The same number rounded to a 16-bit integer, halves to even (2.5 gives 2,
// 3.5 gives 4); nullopt when the text is not a number or the rounded value
// does not fit.
std::optional<std::int16_t> parseLocaleInteger16(const QString& text,
                                                 const QLocale& locale = QLocale());

// The text with every decimal digit of any script ("０"…"９" as a Japanese
// input method types them, "۰"…"۹" of a Persian one, …) turned into the
// ASCII digit it stands for, and the full-width signs "．", "，", "－", "＋"
// into their ASCII forms; every other character stays as it is. So the box,
// the result file's header and the count agree.
QString withAsciiDigits(const QString& text);

}  // namespace zembra::ui
