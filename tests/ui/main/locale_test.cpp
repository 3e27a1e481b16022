// The locale's number conversion and long time format.

#include <gtest/gtest.h>

#include <QRegularExpression>

#include "ui/main/fonts.h"
#include "ui/main/locale_number.h"
#include "ui/main/long_time.h"

namespace zembra::ui {
namespace {

const QLocale kJapan(QLocale::Japanese, QLocale::Japan);
const QLocale kGermany(QLocale::German, QLocale::Germany);
const QLocale kUnitedStates(QLocale::English, QLocale::UnitedStates);

TEST(LocaleNumber, accepts_what_the_locale_writes_as_a_number_and_nothing_else) {
  const std::tuple<QLocale, const char*, std::optional<double>> cases[] = {
      {kJapan, "00", 0},          {kJapan, "45000.5", 45000.5},
      {kJapan, " -50\t", -50},    {kJapan, "+5", 5},
      {kJapan, "1,234", 1234},    {kJapan, "2.5E2", 250},
      {kJapan, ".5", 0.5},        {kGermany, "1.234,5", 1234.5},
      {kGermany, "-1,5", -1.5},   {kUnitedStates, "1,234.5", 1234.5},
      {kUnitedStates, "1,5", {}},
  };
  for (const auto& [locale, text, value] : cases) {
    EXPECT_EQ(parseLocaleNumber(QString::fromUtf8(text), locale), value) << text;
  }
  for (const QLocale& locale : {kJapan, kGermany, kUnitedStates, QLocale::c()}) {
    for (const char* text : {"", "   ", "12a", "a", "-", "+", "e", "1e", "inf", "-inf", "nan",
                             "Infinity", "0x10", "&H10", "1e999", "1 2", "--5", "5-", "(5)"}) {
      EXPECT_EQ(parseLocaleNumber(QString::fromUtf8(text), locale), std::nullopt)
          << text << " in " << locale.name().toStdString();
    }
  }
  EXPECT_EQ(parseLocaleNumber(QString(100000, u'9'), kJapan), std::nullopt);
  EXPECT_EQ(parseLocaleNumber("0.5" + QString(5000, u'0'), kJapan), 0.5);
}

TEST(LocaleNumber, rounds_to_16_bits_halves_to_even_or_rejects_what_does_not_fit) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"0.5", 0},      {"1.5", 2},    {"2.5", 2},       {"3.5", 4},         {"-0.5", 0},
      {"-2.5", -2},    {"2.5001", 3}, {"1e4", 10000},   {"32766.5", 32766}, {"-32768.5", -32768},
      {"32767.5", {}}, {"32768", {}}, {"-32768.6", {}}, {"abc", {}}};
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(parseLocaleInteger16(QString::fromUtf8(text), kJapan), value) << text;
  }
}

// The long time of 21:04:05, and 0:47:19 in the 65-pixel end time box, which falls back to
// HH:mm:ss where the long time is too wide or has no Shift-JIS.
TEST(LongTime, drops_the_time_zone_and_kanji_units_and_falls_back_where_it_does_not_fit) {
  const std::tuple<QLocale, const char*, const char*> cases[] = {
      {kJapan, "21:04:05", "0:47:19"},  // its own: "H時mm分ss秒 t"
      {kUnitedStates, "9:04:05 PM", "00:47:19"},
      {kGermany, "21:04:05", "00:47:19"},
      {QLocale(QLocale::Persian, QLocale::Iran), "۲۱:۰۴:۰۵", "00:47:19"},  // its own: "H:mm:ss (t)"
  };
  for (const auto& [locale, longTime, inBox] : cases) {
    EXPECT_EQ(formatLongTime(QTime(21, 4, 5), locale), QString::fromUtf8(longTime));
    EXPECT_EQ(timeForBox(QTime(0, 47, 19), locale, QFontMetrics(systemFont()), 65),
              QString::fromUtf8(inBox))
        << locale.name().toStdString();
  }
  for (const QLocale& locale :
       QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
    const QString format = longTimeFormat(locale);
    EXPECT_FALSE(QString(format).remove(QRegularExpression("'[^']*'")).contains(u't'))
        << locale.name().toStdString();
    EXPECT_FALSE(format.isEmpty() || format != format.trimmed()) << locale.name().toStdString();
  }
}

}  // namespace
}  // namespace zembra::ui
