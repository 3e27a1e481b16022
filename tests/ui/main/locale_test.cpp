// The locale's number conversion and long time format.

#include <gtest/gtest.h>

#include <QRegularExpression>

#include "ui/main/locale_number.h"
#include "ui/main/long_time.h"
#include "ui/main/fonts.h"

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
      {"32767.5", {}}, {"32768", {}}, {"-32768.6", {}}, {"", {}},           {"abc", {}},
      {"nan", {}}};
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(parseLocaleInteger16(QString::fromUtf8(text), kJapan), value) << text;
  }
}

TEST(LongTime, is_H_mm_ss_where_the_locale_spells_kanji_units_and_never_shows_a_time_zone) {
  EXPECT_EQ(longTimeFormat(kJapan), QStringLiteral("H:mm:ss"));  // Japan's own: "H時mm分ss秒 t"
  EXPECT_EQ(formatLongTime(QTime(9, 4, 5), kJapan), QStringLiteral("9:04:05"));
  EXPECT_EQ(formatLongTime(QTime(21, 4, 5), kUnitedStates), QStringLiteral("9:04:05 PM"));
  for (const QLocale& locale :
       QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
    const QString format = longTimeFormat(locale);
    EXPECT_FALSE(QString(format).remove(QRegularExpression("'[^']*'")).contains(u't'))
        << locale.name().toStdString();
    EXPECT_FALSE(format.isEmpty() || format != format.trimmed()) << locale.name().toStdString();
  }
}

TEST(LocaleNumber, full_width_digits_and_signs_become_half_width_and_nothing_else_does) {
  EXPECT_EQ(withHalfWidthDigits(QStringLiteral("０１２３４５６７８９")), QStringLiteral("0123456789"));
  EXPECT_EQ(withHalfWidthDigits(QStringLiteral("－１，２３４．５＋")), QStringLiteral("-1,234.5+"));
  EXPECT_EQ(withHalfWidthDigits(QStringLiteral("①２ｅ３ ")), QStringLiteral("①2ｅ3 "));
}

TEST(LongTime, falls_back_to_HH_mm_ss_where_the_long_time_does_not_fit_its_box_or_shift_jis) {
  const QFontMetrics metrics(systemFont());
  const int box = 65;  // the end time box, in pixels
  const QTime time(0, 47, 19);
  const std::pair<QLocale, const char*> cases[] = {
      {kJapan, "0:47:19"},           // fits
      {kUnitedStates, "00:47:19"},   // "12:47:19 AM" is too wide
      {QLocale(QLocale::Persian, QLocale::Iran), "00:47:19"},  // no Shift-JIS for its digits
      {kGermany, "00:47:19"},        // its own "HH:mm:ss" fits
  };
  for (const auto& [locale, expected] : cases) {
    EXPECT_EQ(timeForBox(time, locale, metrics, box), QString::fromUtf8(expected))
        << locale.name().toStdString();
  }
  EXPECT_EQ(longTimeFormat(QLocale(QLocale::Persian, QLocale::Iran)), QStringLiteral("H:mm:ss"))
      << "no brackets left from the time zone";
}

}  // namespace
}  // namespace zembra::ui
