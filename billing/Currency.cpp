#include "billing/Currency.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "billing/BillingError.h"
#include "core/BillingTerms.h"

namespace tw {
namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

Currency Currency::of(std::string_view code) {
  std::string upper(code);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
  if (const std::optional<int> digits = BillingTerms::currencyDigits(upper))
    return Currency(upper, *digits);
  throw BillingError("\"" + std::string(code) +
                     "\" is no currency code known here (ISO 4217, such as EUR, USD, JPY)");
}

std::int64_t Currency::parse(std::string_view amount) const {
  const std::string shown = "\"" + std::string(amount) + "\"";
  const std::size_t point = amount.find('.');
  const std::string_view whole = amount.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : amount.substr(point + 1);
  const bool digitsOnly = std::all_of(whole.begin(), whole.end(), isDigit) &&
                          std::all_of(fraction.begin(), fraction.end(), isDigit);
  if (whole.empty() || !digitsOnly || (point != std::string_view::npos && fraction.empty()))
    throw BillingError(shown + " is no amount: write digits with a point, such as 250.50");
  if (std::cmp_greater(fraction.size(), digits_))
    throw BillingError(shown + " has more decimals than " + code_ + " has (" +
                       std::to_string(digits_) + ")");
  const std::size_t significant = whole.find_first_not_of('0');
  if (significant != std::string_view::npos && whole.size() - significant > 10)
    throw BillingError(shown + " is more than " + std::to_string(kMaxMajor) + " " + code_);
  std::int64_t value = 0;
  for (char c : whole) value = value * 10 + (c - '0');
  if (value > kMaxMajor)
    throw BillingError(shown + " is more than " + std::to_string(kMaxMajor) + " " + code_);
  for (int i = 0; i < digits_; ++i)
    value = value * 10 + (std::cmp_less(i, fraction.size()) ? fraction[i] - '0' : 0);
  return value;
}

std::string Currency::plain(std::int64_t minor) const {
  const bool negative = minor < 0;
  // Digits of the magnitude, without overflow at the lowest value.
  std::string digits = std::to_string(minor);
  if (negative) digits.erase(0, 1);
  if (std::cmp_less_equal(digits.size(), digits_))
    digits.insert(0, static_cast<std::size_t>(digits_) + 1 - digits.size(), '0');
  if (digits_ > 0) digits.insert(digits.size() - static_cast<std::size_t>(digits_), ".");
  return negative ? "-" + digits : digits;
}

}  // namespace tw
