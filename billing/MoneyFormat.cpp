#include "billing/MoneyFormat.h"

namespace tw {

MoneyFormat MoneyFormat::fromEnvironment() {
  return plain();
}

MoneyFormat MoneyFormat::plain() {
  return MoneyFormat();
}

MoneyFormat::MoneyFormat(const std::locale& monetary, const std::locale& numeric)
    : plain_(false), monetary_(monetary), numeric_(numeric) {}

std::string MoneyFormat::amount(std::int64_t minor, const Currency& currency) const {
  return currency.plain(minor) + " " + currency.code();
}

std::string MoneyFormat::decimalHours(std::int64_t seconds) const {
  return std::to_string(seconds / 3600);
}

std::string MoneyFormat::hoursMinutes(std::int64_t seconds) {
  return std::to_string(seconds / 3600);
}

}  // namespace tw
