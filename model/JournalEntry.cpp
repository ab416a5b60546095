#include "model/JournalEntry.h"

#include <charconv>

namespace tw {

std::string JournalEntry::friendlyDuration() const {
  std::string text;
  appendFriendlyDuration(text);
  return text;
}

void JournalEntry::appendFriendlyDuration(std::string& out) const {
  const std::int32_t d = duration;
  char digits[16];
  if (d < 60) {
    out.append(digits,
               static_cast<std::size_t>(std::to_chars(digits, digits + 16, d).ptr - digits));
    out += " minutes";
    return;
  }
  const std::int32_t h = d / 60;
  const std::int32_t m = d % 60;
  out.append(digits, static_cast<std::size_t>(std::to_chars(digits, digits + 16, h).ptr - digits));
  out += h > 1 ? " hours" : " hour";
  if (m > 0) {
    out += ", ";
    out.append(digits,
               static_cast<std::size_t>(std::to_chars(digits, digits + 16, m).ptr - digits));
    out += " minutes";
  }
}

double JournalEntry::decimalDuration() const {
  // Hundredths of an hour are duration * 5 / 3 exactly; a remainder of a third can never be a
  // half, so rounding to the nearest needs no tie rule and no floating-point step.
  const std::int64_t fifths = static_cast<std::int64_t>(duration) * 5;
  std::int64_t hundredths = fifths / 3;
  const std::int64_t rest = fifths % 3;
  if (rest == 2) ++hundredths;
  if (rest == -2) --hundredths;
  return static_cast<double>(hundredths) / 100.0;
}

}  // namespace tw
