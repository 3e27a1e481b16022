#include "ui/main/locale_number.h"

#include <gtest/gtest.h>

namespace zembra::ui {
namespace {

const QLocale kJapan(QLocale::Japanese, QLocale::Japan);
const QLocale kGermany(QLocale::German, QLocale::Germany);
const QLocale kUnitedStates(QLocale::English, QLocale::UnitedStates);

struct NumberCase {
  const char* text;
  std::optional<double> value;
};

void expectNumbers(const QLocale& locale, std::initializer_list<NumberCase> cases) {
  for (const NumberCase& c : cases) {
    EXPECT_EQ(parseLocaleNumber(QString::fromUtf8(c.text), locale), c.value)
        << "text \"" << c.text << "\" in " << locale.name().toStdString();
  }
}

TEST(LocaleNumber, accepts_what_a_japanese_system_writes_as_a_number) {
  expectNumbers(kJapan, {{"0", 0},          {"00", 0},         {"1234", 1234},
                         {"327640", 327640}, {"45000.5", 45000.5}, {"-50", -50},
                         {"+5", 5},         {" 12 ", 12},       {"\t7\t", 7},
                         {"1,234", 1234},   {"1e3", 1000},      {"2.5E2", 250},
                         {".5", 0.5},       {"-0", 0}});
}

TEST(LocaleNumber, follows_the_locale_for_decimal_point_and_group_separator) {
  expectNumbers(kGermany, {{"1.234,5", 1234.5}, {"45000,5", 45000.5}, {"-1,5", -1.5}});
  expectNumbers(kUnitedStates, {{"1,234.5", 1234.5}, {"45000.5", 45000.5}});
}

TEST(LocaleNumber, rejects_everything_that_is_not_a_number) {
  for (const QLocale& locale : {kJapan, kGermany, kUnitedStates, QLocale::c()}) {
    expectNumbers(locale, {{"", std::nullopt},       {"   ", std::nullopt},
                           {"12a", std::nullopt},    {"a", std::nullopt},
                           {"-", std::nullopt},      {"+", std::nullopt},
                           {"e", std::nullopt},      {"1e", std::nullopt},
                           {"inf", std::nullopt},    {"-inf", std::nullopt},
                           {"nan", std::nullopt},    {"Infinity", std::nullopt},
                           {"0x10", std::nullopt},   {"&H10", std::nullopt},
                           {"1e999", std::nullopt},  {"-1e999", std::nullopt},
                           {"1 2", std::nullopt},    {"--5", std::nullopt},
                           {"5-", std::nullopt},     {"(5)", std::nullopt}});
  }
}

TEST(LocaleNumber, rejects_the_other_locales_decimal_point) {
  EXPECT_NE(parseLocaleNumber(QStringLiteral("1.5"), kGermany), std::optional<double>(1.5));
  EXPECT_EQ(parseLocaleNumber(QStringLiteral("1,5"), kUnitedStates), std::nullopt);
}

TEST(LocaleNumber, a_very_long_text_is_rejected_or_converted_without_harm) {
  EXPECT_EQ(parseLocaleNumber(QString(100000, QLatin1Char('9')), kJapan), std::nullopt);
  EXPECT_EQ(parseLocaleNumber(QString(100000, QLatin1Char('x')), kJapan), std::nullopt);
  EXPECT_EQ(parseLocaleNumber(QStringLiteral("0.5") + QString(5000, QLatin1Char('0')), kJapan),
            std::optional<double>(0.5));
}

TEST(LocaleInteger16, rounds_halves_to_even) {
  const std::pair<const char*, int> cases[] = {
      {"0.5", 0},   {"1.5", 2},   {"2.5", 2},     {"3.5", 4},   {"-0.5", 0},
      {"-1.5", -2}, {"-2.5", -2}, {"2.4999", 2},  {"2.5001", 3}, {"200", 200},
      {"1e4", 10000}, {"32767", 32767}, {"32766.5", 32766}, {"-32768", -32768},
      {"-32768.5", -32768}};
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(parseLocaleInteger16(QString::fromUtf8(text), kJapan),
              std::optional<std::int16_t>(static_cast<std::int16_t>(value)))
        << text;
  }
}

TEST(LocaleInteger16, rejects_what_does_not_fit_sixteen_bits_or_is_no_number) {
  for (const char* text : {"32767.5", "32768", "-32769", "-32768.6", "1e10", "", "abc", "nan"}) {
    EXPECT_EQ(parseLocaleInteger16(QString::fromUtf8(text), kJapan), std::nullopt) << text;
  }
}

}  // namespace
}  // namespace zembra::ui
