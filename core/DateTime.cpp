#include "core/DateTime.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "core/DateTimeError.h"

namespace tw {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// Days from 1 January 1970 to day 0 (30 December 1899).
constexpr std::int64_t kDayZeroFromUnix = -25569;

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct Civil {
  std::int64_t year;
  int month;
  int day;
};

Civil civilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {y + (m <= 2), static_cast<int>(m), static_cast<int>(d)};
}

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

Civil civilOf(std::int64_t seconds) {
  return civilFromDays(floorDiv(seconds, kSecondsPerDay) + kDayZeroFromUnix);
}

}  // namespace

std::int64_t DateTime::checked(std::int64_t s) {
  if (s < kMinSeconds || s > kMaxSeconds) {
    throw DateTimeError("Date-time out of range: dates run from 1/1/100 to 12/31/9999");
  }
  return s;
}

std::string DateTime::whyInvalid(int year, int month, int day, int hour, int minute, int second) {
  static constexpr const char* kMonthNames[] = {"January",   "February", "March",    "April",
                                                "May",       "June",     "July",     "August",
                                                "September", "October",  "November", "December"};
  char year4[16];
  std::snprintf(year4, sizeof year4, "%04d", year);
  if (year < 100) return std::string("year ") + year4 + " is before 0100";
  if (year > 9999) return "year " + std::to_string(year) + " is after 9999";
  if (month < 1 || month > 12) return "there is no month " + std::to_string(month);
  if (day < 1 || day > daysInMonth(year, month))
    return std::string(kMonthNames[month - 1]) + " " + std::to_string(day) + ", " + year4 +
           " does not exist";
  if (hour < 0 || hour > 23) return "there is no hour " + std::to_string(hour);
  if (minute < 0 || minute > 59) return "there is no minute " + std::to_string(minute);
  if (second < 0 || second > 59) return "there is no second " + std::to_string(second);
  return {};
}

DateTime DateTime::fromParts(int year, int month, int day, int hour, int minute, int second) {
  const std::string why = whyInvalid(year, month, day, hour, minute, second);
  if (!why.empty()) throw DateTimeError(why);
  const std::int64_t days =
      daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
      kDayZeroFromUnix;
  return DateTime(checked(days * kSecondsPerDay + hour * 3600 + minute * 60 + second));
}

DateTime DateTime::fromDays(double days) {
  const double s = std::nearbyint(days * static_cast<double>(kSecondsPerDay));
  if (!std::isfinite(s) || s < static_cast<double>(kMinSeconds) ||
      s > static_cast<double>(kMaxSeconds)) {
    return DateTime(checked(kMaxSeconds + 1));
  }
  return DateTime(static_cast<std::int64_t>(s));
}

DateTime DateTime::fromSeconds(std::int64_t s) {
  return DateTime(checked(s));
}

DateTime DateTime::addDays(double d) const {
  const double delta = std::nearbyint(d * static_cast<double>(kSecondsPerDay));
  if (!std::isfinite(delta) || std::fabs(delta) > 1e12) return DateTime(checked(kMaxSeconds + 1));
  return addSeconds(static_cast<std::int64_t>(delta));
}

DateTime DateTime::addMinutes(std::int64_t minutes) const {
  if (minutes > 1'000'000'000'000LL || minutes < -1'000'000'000'000LL) {
    return DateTime(checked(kMaxSeconds + 1));
  }
  return addSeconds(minutes * 60);
}

DateTime DateTime::addSeconds(std::int64_t s) const {
  if (s > 1'000'000'000'000'000LL || s < -1'000'000'000'000'000LL) {
    return DateTime(checked(kMaxSeconds + 1));
  }
  return DateTime(checked(seconds_ + s));
}

DateTime DateTime::date() const {
  return DateTime(floorDiv(seconds_, kSecondsPerDay) * kSecondsPerDay);
}

int DateTime::secondsOfDay() const {
  return static_cast<int>(seconds_ - floorDiv(seconds_, kSecondsPerDay) * kSecondsPerDay);
}

int DateTime::year() const {
  return static_cast<int>(civilOf(seconds_).year);
}
int DateTime::month() const {
  return civilOf(seconds_).month;
}
int DateTime::day() const {
  return civilOf(seconds_).day;
}

DateTime::Parts DateTime::partsOf(std::int64_t seconds) {
  const Civil c = civilOf(seconds);
  const auto ofDay = static_cast<int>(seconds - floorDiv(seconds, kSecondsPerDay) * kSecondsPerDay);
  return {c.year, c.month, c.day, ofDay / 3600, ofDay / 60 % 60, ofDay % 60};
}

int DateTime::dayOfWeek() const {
  // Day 0 (30 December 1899) was a Saturday.
  const std::int64_t d = floorDiv(seconds_, kSecondsPerDay);
  return static_cast<int>(((d + 6) % 7 + 7) % 7);
}

}  // namespace tw
