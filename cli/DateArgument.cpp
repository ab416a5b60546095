#include "cli/DateArgument.h"

#include <cctype>

#include "cli/TerminalText.h"
#include "cli/UsageError.h"
#include "core/DateText.h"
#include "core/DateTimeError.h"

namespace tw {
namespace {

constexpr std::size_t kLongest = 40;

bool digitsAt(std::string_view text, std::size_t from, std::size_t count) {
  if (from + count > text.size()) return false;
  for (std::size_t i = from; i < from + count; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  }
  return true;
}

int numberAt(std::string_view text, std::size_t from, std::size_t count) {
  int n = 0;
  for (std::size_t i = from; i < from + count; ++i) n = n * 10 + (text[i] - '0');
  return n;
}

// The length of a leading M/d/yyyy, or 0.
std::size_t shortDateLength(std::string_view text) {
  std::size_t i = 0;
  for (const std::size_t most : {2, 2, 4}) {
    std::size_t digits = 0;
    while (digitsAt(text, i + digits, 1) && digits < most) ++digits;
    if (digits == 0 || (most == 4 && digits != 4)) return 0;
    i += digits;
    if (most == 4) break;
    if (i >= text.size() || text[i] != '/') return 0;
    ++i;
  }
  return digitsAt(text, i, 1) ? 0 : i;
}

[[noreturn]] void notADate(std::string_view option, std::string_view text, std::string_view form) {
  throw UsageError(std::string(option) + ": " + TerminalText::quoted(text) + " is not " +
                   std::string(form));
}

// YYYY-MM-DD, then with withTime T or a blank and HH:MM[:SS].
DateTime isoOf(std::string_view option, std::string_view text, bool withTime, const char* form) {
  const bool date = digitsAt(text, 0, 4) && text[4] == '-' && digitsAt(text, 5, 2) &&
                    text.size() > 7 && text[7] == '-' && digitsAt(text, 8, 2);
  const bool time =
      text.size() >= 16 && (text[10] == 'T' || text[10] == ' ') && digitsAt(text, 11, 2) &&
      text[13] == ':' && digitsAt(text, 14, 2) &&
      (text.size() == 16 || (text.size() == 19 && text[16] == ':' && digitsAt(text, 17, 2)));
  if (!date || (withTime ? !time : text.size() != 10)) notADate(option, text, form);
  const int parts[6] = {numberAt(text, 0, 4),
                        numberAt(text, 5, 2),
                        numberAt(text, 8, 2),
                        withTime ? numberAt(text, 11, 2) : 0,
                        withTime ? numberAt(text, 14, 2) : 0,
                        withTime && text.size() == 19 ? numberAt(text, 17, 2) : 0};
  const std::string why =
      DateTime::whyInvalid(parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]);
  if (!why.empty()) {
    throw UsageError(std::string(option) + ": '" + std::string(text) + "' is not " +
                     (withTime ? "a date-time: " : "a date: ") + why);
  }
  return DateTime::fromParts(parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]);
}

DateTime read(std::string_view option, const std::string& text, bool withTime) {
  const char* form = withTime ? "a date and time (M/d/yyyy h:mm or YYYY-MM-DDTHH:MM)"
                              : "a date (M/d/yyyy or YYYY-MM-DD)";
  if (text.empty()) throw UsageError(std::string(option) + " needs " + form);
  if (text.size() > kLongest) notADate(option, text, form);
  if (text.size() > 4 && text[4] == '-') return isoOf(option, text, withTime, form);
  const std::size_t date = shortDateLength(text);
  const bool timeFollows = date < text.size() && text[date] == ' ';
  if (date == 0 || (withTime ? !timeFollows : date != text.size())) notADate(option, text, form);
  try {
    return DateText::parse(text);
  } catch (const DateTimeError& e) {
    throw UsageError(std::string(option) + ": " + e.what());
  }
}

}  // namespace

DateTime DateArgument::day(std::string_view option, const std::string& text) {
  return read(option, text, false);
}

DateTime DateArgument::moment(std::string_view option, const std::string& text) {
  return read(option, text, true);
}

DateArgument::Zoned DateArgument::zonedMoment(std::string_view option, const std::string& text) {
  const std::size_t n = text.size();
  const bool iso = n > 16 && text[4] == '-';
  if (iso && text.back() == 'Z') return {moment(option, text.substr(0, n - 1)), 0};
  if (!iso || n < 22 || (text[n - 6] != '+' && text[n - 6] != '-') || text[n - 3] != ':' ||
      !digitsAt(text, n - 5, 2) || !digitsAt(text, n - 2, 2))
    return {moment(option, text), std::nullopt};
  const int hours = numberAt(text, n - 5, 2), minutes = numberAt(text, n - 2, 2);
  if (hours > 14 || minutes > 59)
    throw UsageError(std::string(option) + ": " + TerminalText::quoted(text.substr(n - 6)) +
                     " is not a UTC offset (-14:00 to +14:00)");
  const std::int32_t offset = (hours * 3600 + minutes * 60) * (text[n - 6] == '-' ? -1 : 1);
  return {moment(option, text.substr(0, n - 6)), offset};
}

DateArgument::DayRange DateArgument::dayRange(const std::string* from, const std::string* to) {
  DayRange range;
  if (from) range.first = day("--from", *from);
  if (to) range.last = day("--to", *to);
  // A range ends before the day after its last one, which 12/31/9999 does not have.
  if (range.last && range.last->seconds() + 86400 > DateTime::maxSeconds())
    throw UsageError("--to: a range can end on 12/30/9999 at the latest, not on " +
                     DateText::shortDate(*range.last));
  if (range.first && range.last && *range.first > *range.last) {
    throw UsageError("--from " + DateText::shortDate(*range.first) + " is after --to " +
                     DateText::shortDate(*range.last));
  }
  return range;
}

}  // namespace tw
