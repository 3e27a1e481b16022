#pragma once

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

}  // namespace zembra::ui
