#pragma once

#include <cstdint>
#include <locale>
#include <string>

#include "billing/Currency.h"

namespace tw {

// Amounts and hours as the user's locale writes them: amounts by LC_MONETARY (its decimal
// point, grouping and the order of sign, symbol and value; the locale's own symbol for its own
// currency, the ISO code for any other), hours by LC_NUMERIC. Where the locale cannot be had,
// the plain form: "1234.50 EUR", "2.50".
class MoneyFormat {
 public:
  // The locale of the environment (LC_ALL, LC_MONETARY, LC_NUMERIC, LANG).
  static MoneyFormat fromEnvironment();
  static MoneyFormat plain();
  MoneyFormat(const std::locale& monetary, const std::locale& numeric);

  // With the currency's own decimals: "€1,234.50", "1.234,50 €", "¥1,235", "KWD 1,234.500".
  std::string amount(std::int64_t minor, const Currency& currency) const;
  // Hours with two decimals (rounded to the nearest hundredth): "2.50", "2,50".
  std::string decimalHours(std::int64_t seconds) const;
  // Hours and minutes, the seconds left out: "2:30", "-0:15".
  static std::string hoursMinutes(std::int64_t seconds);

 private:
  MoneyFormat() = default;

  bool plain_ = true;
  std::locale monetary_;
  std::locale numeric_;
};

}  // namespace tw
