#pragma once

#include <QFontMetrics>
#include <QLocale>
#include <QString>
#include <QTime>

// The time of day as the run shows it: the locale's long time format.

namespace zembra::ui {

// The locale's long time format without the time-zone name. Where that
// format spells the units in kanji (時, 分, 秒), it is "H:mm:ss", the way a
// Japanese system writes the long time of day (21:04:05).
QString longTimeFormat(const QLocale& locale);

QString formatLongTime(const QTime& time, const QLocale& locale);

// The long time where it fits `width` pixels in `metrics` and can be written
// in the result file's Shift-JIS; "HH:mm:ss" otherwise, so that a time box
// and the file's header always show the same text.
QString timeForBox(const QTime& time, const QLocale& locale, const QFontMetrics& metrics,
                   int width);

}  // namespace zembra::ui
