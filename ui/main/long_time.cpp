#include "ui/main/long_time.h"

#include "engine/result_file/shift_jis.h"

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
    // A zone written in brackets, "(t)", leaves the brackets: drop them.
    if (!result.isEmpty() && QStringLiteral("([").contains(result.back()) &&
        i + 1 < format.size() && QStringLiteral(")]").contains(format[i + 1])) {
      result.chop(1);
      ++i;
      while (!result.isEmpty() && result.back().isSpace()) result.chop(1);
    }
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

QString timeForBox(const QTime& time, const QLocale& locale, const QFontMetrics& metrics,
                   int width) {
  const QString longTime = formatLongTime(time, locale);
  if (metrics.horizontalAdvance(longTime) <= width && fitsShiftJis(longTime.toStdString())) {
    return longTime;
  }
  return time.toString(QStringLiteral("HH:mm:ss"));
}

}  // namespace zembra::ui
