#include "core/BillingTerms.h"

#include <algorithm>
#include <utility>

namespace tw {
namespace {

// ISO 4217's active codes with a minor unit other than two digits, and the common ones with
// two (a code missing here is refused rather than guessed).
constexpr std::array<std::pair<std::string_view, int>, 74> kCurrencies = {{
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

}  // namespace

std::optional<int> BillingTerms::currencyDigits(std::string_view code) {
  for (const auto& [known, digits] : kCurrencies)
    if (code == known) return digits;
  return std::nullopt;
}

const std::vector<std::string>& BillingTerms::currencyCodes() {
  static const std::vector<std::string> all = [] {
    std::vector<std::string> codes;
    codes.reserve(kCurrencies.size());
    for (const auto& currency : kCurrencies) codes.emplace_back(currency.first);
    std::sort(codes.begin(), codes.end());
    return codes;
  }();
  return all;
}

const std::vector<int>& BillingTerms::roundingMinutes() {
  static const std::vector<int> all{0, 1, 5, 6, 10, 15, 30, 60};
  return all;
}

const std::array<std::string_view, 3>& BillingTerms::roundingModes() {
  static constexpr std::array<std::string_view, 3> words{"up", "nearest", "down"};
  return words;
}

const std::array<std::string_view, 3>& BillingTerms::roundingPlaces() {
  static constexpr std::array<std::string_view, 3> words{"entry", "day", "total"};
  return words;
}

const std::array<std::string_view, 3>& BillingTerms::billLines() {
  static constexpr std::array<std::string_view, 3> words{"task", "day", "entry"};
  return words;
}

}  // namespace tw
