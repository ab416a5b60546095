#include "core/DurationText.h"

#include <charconv>

namespace tw {
namespace {

void appendNumber(std::string& out, std::int32_t n) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
  out.append(digits, static_cast<std::size_t>(end - digits));
}

}  // namespace

std::string DurationText::friendly(std::int32_t minutes) {
  std::string text;
  appendFriendly(text, minutes);
  return text;
}

void DurationText::appendFriendly(std::string& out, std::int32_t minutes) {
  if (minutes < 60) {
    appendNumber(out, minutes);
    out += " minutes";
    return;
  }
  const std::int32_t h = minutes / 60;
  const std::int32_t m = minutes % 60;
  appendNumber(out, h);
  out += h > 1 ? " hours" : " hour";
  if (m > 0) {
    out += ", ";
    appendNumber(out, m);
    out += " minutes";
  }
}

double DurationText::decimalHours(std::int32_t minutes) {
  // Hundredths of an hour are minutes * 5 / 3 exactly; a remainder of a third is never a half,
  // so rounding to the nearest needs no tie rule and no floating-point step.
  const std::int64_t fifths = static_cast<std::int64_t>(minutes) * 5;
  std::int64_t hundredths = fifths / 3;
  const std::int64_t rest = fifths % 3;
  if (rest == 2) ++hundredths;
  if (rest == -2) --hundredths;
  return static_cast<double>(hundredths) / 100.0;
}

}  // namespace tw
