#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

// An ISO 4217 currency and the digits of its minor unit (2 for EUR, 0 for JPY, 3 for KWD).
// Amounts are kept as whole minor units; this is where text becomes an amount and back.
class Currency {
 public:
  // Letter case aside ("eur" is EUR). Throws BillingError for a code not in the table.
  static Currency of(std::string_view code);

  const std::string& code() const { return code_; }
  int digits() const { return digits_; }

  // "250", "250.5", "250.00" in minor units, exactly. Refuses signs, blanks, thousands
  // separators, exponents, more decimals than the currency has and amounts above
  // kMaxMajor, with BillingError saying why.
  std::int64_t parse(std::string_view amount) const;
  // The plain decimal form with a point and all the currency's decimals: "250.00", "250",
  // "1.500"; a minus sign before a negative amount.
  std::string plain(std::int64_t minor) const;

  // The largest amount parse takes, in major units.
  static constexpr std::int64_t kMaxMajor = 1'000'000'000;

 private:
  Currency(std::string code, int digits) : code_(std::move(code)), digits_(digits) {}

  std::string code_;
  int digits_ = 2;
};

}  // namespace tw
