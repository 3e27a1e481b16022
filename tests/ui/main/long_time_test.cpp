#include "ui/main/long_time.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace zembra::ui {
namespace {

TEST(LongTime, a_japanese_system_shows_hours_minutes_and_seconds_with_colons) {
  const QLocale japan(QLocale::Japanese, QLocale::Japan);
  EXPECT_EQ(longTimeFormat(japan), QStringLiteral("H:mm:ss"));
  EXPECT_EQ(formatLongTime(QTime(21, 4, 5), japan), QStringLiteral("21:04:05"));
  EXPECT_EQ(formatLongTime(QTime(9, 4, 5), japan), QStringLiteral("9:04:05"));
  EXPECT_EQ(formatLongTime(QTime(0, 0, 0), japan), QStringLiteral("0:00:00"));
}

TEST(LongTime, other_locales_keep_their_own_long_format_without_the_time_zone) {
  const QLocale unitedStates(QLocale::English, QLocale::UnitedStates);
  EXPECT_EQ(formatLongTime(QTime(21, 4, 5), unitedStates), QStringLiteral("9:04:05 PM"));
  EXPECT_EQ(formatLongTime(QTime(21, 4, 5), QLocale(QLocale::German, QLocale::Germany)),
            QStringLiteral("21:04:05"));
  EXPECT_EQ(formatLongTime(QTime(21, 4, 5), QLocale::c()), QStringLiteral("21:04:05"));
}

TEST(LongTime, no_locale_leaves_a_time_zone_field_or_stray_blanks) {
  for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                        QLocale::AnyTerritory)) {
    const QString format = longTimeFormat(locale);
    const QString unquoted = QString(format).remove(QRegularExpression("'[^']*'"));
    EXPECT_FALSE(unquoted.contains(QLatin1Char('t'))) << locale.name().toStdString();
    EXPECT_EQ(format, format.trimmed()) << locale.name().toStdString();
    EXPECT_FALSE(format.isEmpty()) << locale.name().toStdString();
  }
}

}  // namespace
}  // namespace zembra::ui
