#include "core/DateText.h"

#include <array>
#include <cctype>
#include <cstdio>

#include "core/DateTimeError.h"

namespace tw {
namespace {

constexpr std::array<const char*, 7> kWeekdays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kMonths = {"January",   "February", "March",    "April",
                                                 "May",       "June",     "July",     "August",
                                                 "September", "October",  "November", "December"};

// A small cursor over a date text.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  void skipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  }
  bool atEnd() const { return pos_ >= text_.size(); }
  bool take(char c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  // Up to maxDigits decimal digits; -1 when there is none.
  int number(int maxDigits, int* digits = nullptr) {
    int value = 0;
    int count = 0;
    while (pos_ < text_.size() && count < maxDigits &&
           std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
      value = value * 10 + (text_[pos_] - '0');
      ++pos_;
      ++count;
    }
    if (digits) *digits = count;
    return count == 0 ? -1 : value;
  }
  bool takeWord(std::string_view word) {
    if (text_.size() - pos_ < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
      if (std::toupper(static_cast<unsigned char>(text_[pos_ + i])) != word[i]) return false;
    }
    pos_ += word.size();
    return true;
  }
  std::size_t position() const { return pos_; }
  void reset(std::size_t p) { pos_ = p; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

[[noreturn]] void unreadable(std::string_view text) {
  throw DateTimeError("'" + std::string(text) + "' is not a date");
}

// h:mm[:ss] [AM|PM] as seconds of the day; -1 when the cursor is not at a time.
int readTime(Scanner& s, std::string_view text) {
  const std::size_t start = s.position();
  int hour = s.number(2);
  if (hour < 0 || !s.take(':')) {
    s.reset(start);
    return -1;
  }
  const int minute = s.number(2);
  int second = 0;
  if (minute < 0) unreadable(text);
  if (s.take(':')) {
    second = s.number(2);
    if (second < 0) unreadable(text);
  }
  s.skipBlanks();
  if (s.takeWord("AM") || s.takeWord("A")) {
    if (hour < 1 || hour > 12) unreadable(text);
    if (hour == 12) hour = 0;
  } else if (s.takeWord("PM") || s.takeWord("P")) {
    if (hour < 1 || hour > 12) unreadable(text);
    if (hour != 12) hour += 12;
  }
  if (hour > 23 || minute > 59 || second > 59) unreadable(text);
  return hour * 3600 + minute * 60 + second;
}

std::string twoDigits(int v) {
  char buf[4];
  std::snprintf(buf, sizeof buf, "%02d", v);
  return buf;
}

// yyyy: years before 1000 keep four digits (1/1/0999), so that the text reads back.
std::string fourDigits(int v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%04d", v);
  return buf;
}

}  // namespace

std::string DateText::shortDate(DateTime t) {
  return std::to_string(t.month()) + "/" + std::to_string(t.day()) + "/" + fourDigits(t.year());
}

std::string DateText::longDate(DateTime t) {
  return std::string(kWeekdays[t.dayOfWeek()]) + ", " + kMonths[t.month() - 1] + " " +
         twoDigits(t.day()) + ", " + fourDigits(t.year());
}

std::string DateText::longTime(DateTime t) {
  std::string text;
  appendLongTime(text, t.secondsOfDay());
  return text;
}

void DateText::appendLongTime(std::string& out, int secondsOfDay) {
  const int h = secondsOfDay / 3600;
  const int m = secondsOfDay / 60 % 60;
  const int s = secondsOfDay % 60;
  const int h12 = h % 12 == 0 ? 12 : h % 12;
  if (h12 >= 10) out += static_cast<char>('0' + h12 / 10);
  out += static_cast<char>('0' + h12 % 10);
  const char rest[] = {':',
                       static_cast<char>('0' + m / 10),
                       static_cast<char>('0' + m % 10),
                       ':',
                       static_cast<char>('0' + s / 10),
                       static_cast<char>('0' + s % 10),
                       ' ',
                       h < 12 ? 'A' : 'P',
                       'M'};
  out.append(rest, sizeof rest);
}

std::string DateText::generalDate(DateTime t) {
  if (t.date() == DateTime()) return longTime(t);
  if (t.secondsOfDay() == 0) return shortDate(t);
  return shortDate(t) + " " + longTime(t);
}

std::string DateText::iso(DateTime t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d", t.year(), t.month(), t.day(),
                t.hour(), t.minute(), t.second());
  return buf;
}

std::string DateText::isoOfAny(std::int64_t seconds) {
  const DateTime::Parts p = DateTime::partsOf(seconds);
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04lld-%02d-%02dT%02d:%02d:%02d", static_cast<long long>(p.year),
                p.month, p.day, p.hour, p.minute, p.second);
  return buf;
}

DateTime DateText::parse(std::string_view text) {
  Scanner s(text);
  s.skipBlanks();
  const int timeOnly = readTime(s, text);
  if (timeOnly >= 0) {
    s.skipBlanks();
    if (!s.atEnd()) unreadable(text);
    return DateTime::fromSeconds(timeOnly);
  }
  const int month = s.number(2);
  if (month < 0 || !s.take('/')) unreadable(text);
  const int day = s.number(2);
  if (day < 0 || !s.take('/')) unreadable(text);
  int yearDigits = 0;
  int year = s.number(4, &yearDigits);
  if (year < 0 || yearDigits == 3) unreadable(text);
  if (yearDigits <= 2) year += year < 30 ? 2000 : 1900;
  const std::size_t afterYear = s.position();
  s.skipBlanks();
  int time = 0;
  if (!s.atEnd()) {
    // A time follows the date only after a blank: "1/1/200210:30" is no date.
    if (s.position() == afterYear) unreadable(text);
    time = readTime(s, text);
    if (time < 0) unreadable(text);
    s.skipBlanks();
    if (!s.atEnd()) unreadable(text);
  }
  const std::string why = DateTime::whyInvalid(year, month, day);
  if (!why.empty()) throw DateTimeError("'" + std::string(text) + "' is not a date: " + why);
  return DateTime::fromParts(year, month, day).addSeconds(time);
}

DateTime DateText::parseIso(std::string_view text) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, sec = 0;
  const bool shape = text.size() == 19 && text[4] == '-' && text[7] == '-' && text[10] == 'T' &&
                     text[13] == ':' && text[16] == ':';
  if (!shape) throw DateTimeError("'" + std::string(text) + "' is not YYYY-MM-DDTHH:MM:SS");
  for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18}) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
      throw DateTimeError("'" + std::string(text) + "' is not YYYY-MM-DDTHH:MM:SS");
    }
  }
  std::sscanf(std::string(text).c_str(), "%4d-%2d-%2dT%2d:%2d:%2d", &y, &mo, &d, &h, &mi, &sec);
  const std::string why = DateTime::whyInvalid(y, mo, d, h, mi, sec);
  if (!why.empty()) throw DateTimeError("'" + std::string(text) + "' is not a date-time: " + why);
  return DateTime::fromParts(y, mo, d, h, mi, sec);
}

}  // namespace tw
