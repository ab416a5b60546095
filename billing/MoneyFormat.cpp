#include "billing/MoneyFormat.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

namespace tw {
namespace {

// The digits of a magnitude with the currency's decimals: 123450 with 2 -> "1234" and "50".
std::pair<std::string, std::string> splitDigits(std::int64_t minor, int decimals) {
  std::string digits = std::to_string(minor);
  if (minor < 0) digits.erase(0, 1);
  const auto d = static_cast<std::size_t>(decimals);
  if (digits.size() <= d) digits.insert(0, d + 1 - digits.size(), '0');
  return {digits.substr(0, digits.size() - d), digits.substr(digits.size() - d)};
}

// Separators inserted as a locale's grouping says ("\3" every three digits from the right;
// the last size repeats; CHAR_MAX or 0 ends grouping).
std::string grouped(const std::string& whole, const std::string& grouping, char separator) {
  std::string out = whole;
  std::size_t pos = out.size();
  std::size_t i = 0;
  while (!grouping.empty()) {
    const char size = grouping[std::min(i, grouping.size() - 1)];
    if (size <= 0 || size == CHAR_MAX || pos <= static_cast<std::size_t>(size)) break;
    pos -= static_cast<std::size_t>(size);
    out.insert(pos, 1, separator);
    ++i;
  }
  return out;
}

std::string trimmed(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

}  // namespace

MoneyFormat MoneyFormat::fromEnvironment() {
  try {
    const std::locale user("");
    // A locale without a currency of its own (C, POSIX, C.UTF-8) has no money form either.
    if (std::use_facet<std::moneypunct<char, true>>(user).curr_symbol().empty()) return plain();
    return MoneyFormat(user, user);
  } catch (const std::runtime_error&) {
    // A locale named in the environment but not installed: the plain form.
    return plain();
  }
}

MoneyFormat MoneyFormat::plain() {
  return MoneyFormat();
}

MoneyFormat::MoneyFormat(const std::locale& monetary, const std::locale& numeric)
    : plain_(false), monetary_(monetary), numeric_(numeric) {}

std::string MoneyFormat::amount(std::int64_t minor, const Currency& currency) const {
  if (plain_) return currency.plain(minor) + " " + currency.code();
  const auto& punct = std::use_facet<std::moneypunct<char, false>>(monetary_);
  const bool own = trimmed(std::use_facet<std::moneypunct<char, true>>(monetary_).curr_symbol()) ==
                   currency.code();
  const std::string symbol = own ? punct.curr_symbol() : currency.code();
  const auto [whole, fraction] = splitDigits(minor, currency.digits());
  std::string value = grouped(whole, punct.grouping(), punct.thousands_sep());
  if (!fraction.empty()) value += punct.decimal_point() + fraction;
  const std::string sign = minor < 0 ? punct.negative_sign() : punct.positive_sign();
  const std::money_base::pattern pattern = minor < 0 ? punct.neg_format() : punct.pos_format();
  std::string out;
  if (std::find(std::begin(pattern.field), std::end(pattern.field), std::money_base::value) ==
      std::end(pattern.field))
    return currency.plain(minor) + " " + currency.code();
  for (char part : pattern.field) {
    if (part == std::money_base::symbol) out += symbol;
    if (part == std::money_base::sign) out += sign.substr(0, 1);
    if (part == std::money_base::value) out += value;
    if (part == std::money_base::space) out += ' ';
    // A code of letters beside the value reads better with a blank between them.
    if (part == std::money_base::none && !own && !out.empty() && out.back() != ' ') out += ' ';
  }
  if (sign.size() > 1) out += sign.substr(1);
  return trimmed(out);
}

std::string MoneyFormat::decimalHours(std::int64_t seconds) const {
  const std::int64_t hundredths = (seconds >= 0 ? seconds + 18 : seconds - 18) / 36;
  const auto [whole, fraction] = splitDigits(hundredths, 2);
  const char point = plain_ ? '.' : std::use_facet<std::numpunct<char>>(numeric_).decimal_point();
  return (hundredths < 0 ? "-" : "") + whole + point + fraction;
}

std::string MoneyFormat::hoursMinutes(std::int64_t seconds) {
  const std::int64_t minutes = (seconds < 0 ? -seconds : seconds) / 60;
  const std::string mm = std::to_string(minutes % 60);
  return (seconds < 0 ? "-" : "") + std::to_string(minutes / 60) + ":" +
         (mm.size() < 2 ? "0" : "") + mm;
}

}  // namespace tw
