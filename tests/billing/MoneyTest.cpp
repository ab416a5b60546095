#include <gtest/gtest.h>

#include <locale>

#include "billing/BillingError.h"
#include "billing/Currency.h"
#include "billing/MoneyFormat.h"
#include "billing/Rounding.h"

namespace tw::money_test {

TEST(Currency, ParsesAmountsExactlyInTheCurrencysDigits) {
  struct Case {
    const char* code;
    const char* text;
    std::int64_t minor;  // -1: refused
  } cases[] = {
      {"EUR", "250", 25000},     {"EUR", "250.5", 25050},
      {"eur", "250.00", 25000},  {"EUR", "0.07", 7},
      {"EUR", "250.001", -1},    {"EUR", "-5", -1},
      {"EUR", "2,50", -1},       {"EUR", " 5", -1},
      {"EUR", "5.", -1},         {"EUR", ".5", -1},
      {"EUR", "1e3", -1},        {"EUR", "", -1},
      {"EUR", "1000000001", -1}, {"EUR", "1000000000", 100000000000},
      {"JPY", "5000", 5000},     {"JPY", "5000.5", -1},
      {"KRW", "12", 12},         {"KWD", "12.345", 12345},
      {"BHD", "1.5", 1500},      {"JOD", "0.001", 1},
      {"TND", "1.2345", -1},     {"XYZ", "1", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.code) + " " + c.text);
    if (c.minor < 0)
      EXPECT_THROW(Currency::of(c.code).parse(c.text), BillingError);
    else
      EXPECT_EQ(Currency::of(c.code).parse(c.text), c.minor);
  }
  EXPECT_EQ(Currency::of("EUR").plain(-5), "-0.05");
  EXPECT_EQ(Currency::of("JPY").plain(7500), "7500");
  EXPECT_EQ(Currency::of("KWD").plain(4115), "4.115");
}

TEST(Rounding, EveryIncrementAndDirection) {
  using M = RoundingRule::Mode;
  struct Case {
    std::int64_t seconds;
    int minutes;
    M mode;
    std::int64_t rounded;
  } cases[] = {
      {46, 0, M::Up, 46},        {46, 1, M::Up, 60},           {46, 1, M::Down, 0},
      {29, 1, M::Nearest, 0},    {30, 1, M::Nearest, 60},      {301, 5, M::Up, 600},
      {449, 5, M::Nearest, 300}, {450, 5, M::Nearest, 600},    {359, 6, M::Down, 0},
      {360, 6, M::Up, 360},      {600, 10, M::Down, 600},      {1, 15, M::Up, 900},
      {1799, 30, M::Down, 0},    {2700, 60, M::Nearest, 3600}, {0, 15, M::Up, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.seconds) + "s by " + std::to_string(c.minutes));
    EXPECT_EQ(Rounding::apply(c.seconds, {c.minutes, c.mode, RoundingRule::Place::Entry}),
              c.rounded);
  }
  EXPECT_FALSE(Rounding::allowedMinutes(7));
  EXPECT_THROW(Rounding::parseMode("sideways"), BillingError);
}

// A locale of its own, so that the test needs none installed: German-like punctuation.
class CommaPunct : public std::moneypunct<char, false> {
 protected:
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
  std::string do_curr_symbol() const override { return "€"; }
  std::string do_negative_sign() const override { return "-"; }
  pattern do_pos_format() const override { return {{value, space, symbol, none}}; }
  pattern do_neg_format() const override { return {{sign, value, space, symbol}}; }
};

class EuroCode : public std::moneypunct<char, true> {
 protected:
  std::string do_curr_symbol() const override { return "EUR "; }
};

TEST(MoneyFormat, FollowsTheLocaleAndFallsBackToThePlainForm) {
  const std::locale german(std::locale(std::locale::classic(), new CommaPunct), new EuroCode);
  const MoneyFormat money(german, std::locale::classic());
  EXPECT_EQ(money.amount(123456789, Currency::of("EUR")), "1.234.567,89 €");
  EXPECT_EQ(money.amount(-5, Currency::of("EUR")), "-0,05 €");
  EXPECT_EQ(money.amount(1234567, Currency::of("JPY")), "1.234.567 JPY");
  EXPECT_EQ(money.amount(1234500, Currency::of("KWD")), "1.234,500 KWD");
  EXPECT_EQ(MoneyFormat::plain().amount(123450, Currency::of("USD")), "1234.50 USD");
  EXPECT_EQ(MoneyFormat::plain().decimalHours(9000), "2.50");
  EXPECT_EQ(MoneyFormat::plain().decimalHours(46), "0.01");
  EXPECT_EQ(MoneyFormat::hoursMinutes(-900), "-0:15");
}

}  // namespace tw::money_test
