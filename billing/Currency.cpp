#include "billing/Currency.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

#include "billing/BillingError.h"

namespace tw {
namespace {

struct Known {
  const char* code;
  int digits;
};

// ISO 4217's active codes with a minor unit other than two digits, and the common ones with
// two (a code missing here is refused rather than guessed).
constexpr std::array<Known, 74> kKnown = {{
    {"AED", 2}, {"ARS", 2}, {"AUD", 2}, {"BGN", 2}, {"BHD", 3}, {"BIF", 0}, {"BRL", 2}, {"CAD", 2},
    {"CHF", 2}, {"CLF", 4}, {"CLP", 0}, {"CNY", 2}, {"COP", 2}, {"CZK", 2}, {"DJF", 0}, {"DKK", 2},
    {"DZD", 2}, {"EGP", 2}, {"EUR", 2}, {"GBP", 2}, {"GNF", 0}, {"HKD", 2}, {"HUF", 2}, {"IDR", 2},
    {"ILS", 2}, {"INR", 2}, {"IQD", 3}, {"ISK", 0}, {"JOD", 3}, {"JPY", 0}, {"KES", 2}, {"KMF", 0},
    {"KRW", 0}, {"KWD", 3}, {"KZT", 2}, {"LYD", 3}, {"MAD", 2}, {"MXN", 2}, {"MYR", 2}, {"NGN", 2},
    {"NOK", 2}, {"NZD", 2}, {"OMR", 3}, {"PEN", 2}, {"PHP", 2}, {"PKR", 2}, {"PLN", 2}, {"PYG", 0},
    {"QAR", 2}, {"RON", 2}, {"RSD", 2}, {"RUB", 2}, {"RWF", 0}, {"SAR", 2}, {"SEK", 2}, {"SGD", 2},
    {"THB", 2}, {"TND", 3}, {"TRY", 2}, {"TWD", 2}, {"UAH", 2}, {"UGX", 0}, {"USD", 2}, {"UYI", 0},
    {"UYU", 2}, {"VND", 0}, {"VUV", 0}, {"XAF", 0}, {"XOF", 0}, {"XPF", 0}, {"ZAR", 2}, {"BDT", 2},
    {"VES", 2}, {"UYW", 4},
}};

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

Currency Currency::of(std::string_view code) {
  std::string upper(code);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
  for (const Known& k : kKnown)
    if (upper == k.code) return Currency(upper, k.digits);
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
