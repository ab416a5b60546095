#pragma once

#include <compare>
#include <cstdint>
#include <string>

namespace tw {

// A local, naive date-time with one-second resolution, counted as days from day 0
// (30 December 1899, midnight), the fraction being the time of day. Representable from
// 1 January 100 to 31 December 9999 23:59:59; leaving that range throws DateTimeError.
class DateTime {
 public:
  // Day 0: the empty date value.
  constexpr DateTime() = default;

  // Throws DateTimeError saying what does not exist ("February 30, 2024 does not exist").
  static DateTime fromParts(int year, int month, int day, int hour = 0, int minute = 0,
                            int second = 0);
  // Why those parts name no date-time, or an empty text when they do.
  static std::string whyInvalid(int year, int month, int day, int hour = 0, int minute = 0,
                                int second = 0);
  // Rounded to the nearest second.
  static DateTime fromDays(double days);
  static DateTime fromSeconds(std::int64_t secondsSinceDayZero);

  double days() const { return static_cast<double>(seconds_) / 86400.0; }
  std::int64_t seconds() const { return seconds_; }

  // Day arithmetic: one day adds 1, m minutes add m/1440; the result is rounded to the
  // nearest second.
  DateTime addDays(double days) const;
  DateTime addMinutes(std::int64_t minutes) const;
  DateTime addSeconds(std::int64_t seconds) const;

  // Midnight of this calendar day.
  DateTime date() const;
  // Seconds since midnight.
  int secondsOfDay() const;

  int year() const;
  int month() const;
  int day() const;
  int hour() const { return secondsOfDay() / 3600; }
  int minute() const { return secondsOfDay() / 60 % 60; }
  int second() const { return secondsOfDay() % 60; }
  // 0 = Sunday ... 6 = Saturday.
  int dayOfWeek() const;

  // The calendar parts of any count of seconds from day 0, also outside the representable range
  // (year 0000, year 12345): for showing a value found out of range.
  struct Parts {
    std::int64_t year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
  };
  static Parts partsOf(std::int64_t secondsSinceDayZero);

  static constexpr std::int64_t minSeconds() { return kMinSeconds; }
  static constexpr std::int64_t maxSeconds() { return kMaxSeconds; }

  friend constexpr auto operator<=>(DateTime, DateTime) = default;

 private:
  explicit constexpr DateTime(std::int64_t s) : seconds_(s) {}
  static std::int64_t checked(std::int64_t s);

  // 1 January 100 and 31 December 9999 23:59:59, as seconds from day 0.
  static constexpr std::int64_t kMinSeconds = -657434LL * 86400;
  static constexpr std::int64_t kMaxSeconds = 2958465LL * 86400 + 86399;

  std::int64_t seconds_ = 0;
};

}  // namespace tw
