#include "store/InvoicedPeriod.h"

#include <array>

namespace tw {
namespace {

std::string monthName(int month) {
  static constexpr std::array<const char*, 12> kNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  return kNames.at(static_cast<std::size_t>(month - 1));
}

std::string dayMonth(DateTime d) {
  return std::to_string(d.day()) + " " + monthName(d.month());
}

}  // namespace

std::string InvoicedPeriod::days(DateTime first, DateTime last) {
  const std::string year = " " + std::to_string(last.year());
  if (first == last) return dayMonth(last) + year;
  if (first.year() != last.year())
    return dayMonth(first) + " " + std::to_string(first.year()) + " \u2013 " + dayMonth(last) +
           year;
  if (first.month() != last.month()) return dayMonth(first) + " \u2013 " + dayMonth(last) + year;
  return std::to_string(first.day()) + "\u2013" + dayMonth(last) + year;
}

std::string InvoicedPeriod::describe() const {
  return client + ", " + days(first, last);
}

}  // namespace tw
