#include "ui/main/long_time.h"

namespace zembra::ui {
namespace {

// Removes the time-zone fields ("t", "tt", …) and the blanks before them,
// leaving quoted literal text alone.
QString withoutTimeZone(const QString& format) {
  QString result;
  bool quoted = false;
  for (qsizetype i = 0; i < format.size(); ++i) {
    const QChar c = format[i];
    if (c == u'\'') quoted = !quoted;
    if (quoted || c != u't') {
      result += c;
      continue;
    }
    while (i + 1 < format.size() && format[i + 1] == u't') ++i;
    while (!result.isEmpty() && result.back().isSpace()) result.chop(1);
  }
  return result.trimmed();
}

bool spellsUnitsInKanji(const QString& format) {
  return format.contains(u'時') || format.contains(u'分') || format.contains(u'秒');
}

}  // namespace

QString longTimeFormat(const QLocale& locale) {
  const QString format = withoutTimeZone(locale.timeFormat(QLocale::LongFormat));
  return spellsUnitsInKanji(format) ? QStringLiteral("H:mm:ss") : format;
}

QString formatLongTime(const QTime& time, const QLocale& locale) {
  return locale.toString(time, longTimeFormat(locale));
}

}  // namespace zembra::ui
