#include "ui/common/locale_number.h"

#include <cmath>
#include <limits>

namespace zembra::ui {
namespace {

// Digits and the locale's number symbols. Letters other than the exponent
// mark never belong to a number, which keeps out "inf", "nan" and "0x10"
// (QLocale::toDouble itself accepts the first two).
bool mayBelongToNumber(QChar c, const QLocale& locale) {
  if (c.isDigit()) return true;
  const QString symbols = locale.positiveSign() + locale.negativeSign() + locale.groupSeparator() +
                          locale.decimalPoint() + locale.exponential() + QStringLiteral("+-eE");
  return symbols.contains(c);
}

}  // namespace

QString withAsciiDigits(const QString& text) {
  std::u32string codes = text.toStdU32String();
  for (char32_t& code : codes) {
    if (QChar::category(code) == QChar::Number_DecimalDigit && QChar::digitValue(code) >= 0) {
      code = U'0' + static_cast<char32_t>(QChar::digitValue(code));
    } else if (code == U'．' || code == U'，' || code == U'－' || code == U'＋') {
      code -= 0xFEE0;  // the full-width forms of ASCII lie 0xFEE0 above them
    }
  }
  return QString::fromStdU32String(codes);
}

std::optional<double> parseLocaleNumber(const QString& text, const QLocale& locale) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return std::nullopt;
  for (QChar c : trimmed) {
    if (!mayBelongToNumber(c, locale)) return std::nullopt;
  }
  bool ok = false;
  const double value = locale.toDouble(trimmed, &ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<std::int16_t> parseLocaleInteger16(const QString& text, const QLocale& locale) {
  const std::optional<double> value = parseLocaleNumber(text, locale);
  if (!value) return std::nullopt;
  const double rounded = std::nearbyint(*value);  // halves to even, the default rounding
  if (rounded < std::numeric_limits<std::int16_t>::min() ||
      rounded > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(rounded);
}

}  // namespace zembra::ui
