#include <gtest/gtest.h>

#include <string>

#include "core/DateTime.h"
#include "core/DateTimeError.h"
#include "core/TimeZone.h"
#include "core/ZoneOffsets.h"
#include "tests/support/FailureOf.h"
#include "tests/support/ScopedTimeZone.h"
#include "tests/support/TextEdits.h"

namespace tw {
namespace {

DateTime at(int y, int mo, int d, int h, int mi = 0) {
  return DateTime::fromParts(y, mo, d, h, mi);
}

// Every reading comes back under its offset; on the night the clocks go back the earlier
// instant is taken, and a reading the clocks skip keeps the offset from before the change.
TEST(TimeZoneTest, ReadingsAcrossDaylightSavingChanges) {
  const struct {
    const char* zone;
    DateTime local;
    std::int32_t offset;
    std::int64_t unixSeconds;
  } cases[] = {
      {"Europe/Berlin", at(2024, 3, 31, 1, 30), 3600, 1711845000},
      {"Europe/Berlin", at(2024, 3, 31, 2, 30), 3600, 1711848600},  // skipped
      {"Europe/Berlin", at(2024, 3, 31, 3, 30), 7200, 1711848600},
      {"Europe/Berlin", at(2024, 10, 27, 2, 30), 7200, 1729989000},  // twice: the first
      {"Europe/Berlin", at(2024, 10, 27, 3, 30), 3600, 1729996200},
      {"America/New_York", at(2024, 3, 10, 2, 30), -18000, 1710055800},  // skipped
      {"America/New_York", at(2024, 11, 3, 1, 30), -14400, 1730611800},  // twice: the first
      {"America/New_York", at(2024, 7, 1, 12), -14400, 1719849600},
  };
  for (const auto& c : cases) {
    const test::ScopedTimeZone zone(c.zone);
    const TimeZone::Reading r = TimeZone::resolve(c.local);
    EXPECT_EQ(r.offset, c.offset) << c.zone << " " << c.local.seconds();
    EXPECT_EQ(r.instant.unixSeconds(), c.unixSeconds) << c.zone;
    EXPECT_EQ(r.instant.local(r.offset), c.local) << c.zone;
  }
  // The hour after the change back: the same wall-clock time an hour of real time later.
  const test::ScopedTimeZone berlin("Europe/Berlin");
  const Instant first = TimeZone::fromLocal(at(2024, 10, 27, 2, 30));
  EXPECT_EQ(TimeZone::offsetAt(first.plus(3600)), 3600);
  EXPECT_EQ(first.plus(3600).local(3600), at(2024, 10, 27, 2, 30));
}

// A local time someone typed: one the clocks skip is refused, saying which readings that night
// lacks; one they repeat is the first instant; any other is as resolve gives it.
TEST(TimeZoneTest, TypedTimesTheClocksSkipAreRefused) {
  const struct {
    const char* zone;
    DateTime local;
    std::int64_t unixSeconds;  // 0: refused
    const char* message;
  } cases[] = {
      {"Europe/Berlin", at(2024, 3, 31, 2, 30), 0,
       "3/31/2024 2:30:00 AM does not exist here: the clocks went forward from 2:00:00 AM to "
       "3:00:00 AM"},
      {"Europe/Berlin", at(2024, 3, 31, 2, 0), 0, "from 2:00:00 AM to 3:00:00 AM"},
      {"Europe/Berlin", at(2024, 3, 31, 3, 0), 1711846800, ""},
      {"Europe/Berlin", at(2024, 3, 31, 1, 59), 1711846740, ""},
      {"Europe/Berlin", at(2024, 10, 27, 2, 30), 1729989000, ""},  // twice: the first
      {"America/New_York", at(2024, 3, 10, 2, 59), 0, "from 2:00:00 AM to 3:00:00 AM"},
      {"Australia/Lord_Howe", at(2024, 10, 6, 2, 15), 0, "from 2:00:00 AM to 2:30:00 AM"},
      {"Pacific/Apia", at(2011, 12, 30, 12), 0, "from 12/30/2011 to 12/31/2011"},
  };
  for (const auto& c : cases) {
    const test::ScopedTimeZone zone(c.zone);
    SCOPED_TRACE(std::string(c.zone) + " " + std::to_string(c.local.seconds()));
    if (c.unixSeconds != 0) {
      EXPECT_EQ(TimeZone::entered(c.local).instant.unixSeconds(), c.unixSeconds);
      EXPECT_EQ(TimeZone::entered(c.local).instant, TimeZone::resolve(c.local).instant);
      continue;
    }
    const std::string e = test::failureOf<DateTimeError>([&] { TimeZone::entered(c.local); });
    EXPECT_TRUE(test::has(e, c.message)) << e;
  }
}

// The offsets kept a week at a time are those the C library gives, hour by hour and around
// each change, in zones with changes of an hour, of half an hour, of a whole day, and none.
TEST(TimeZoneTest, OffsetsReadInARowAreTheZones) {
  for (const char* zone : {"Europe/Berlin", "Australia/Lord_Howe", "Pacific/Apia",
                           "Africa/Casablanca", "Pacific/Kiritimati", "America/Sao_Paulo"}) {
    const test::ScopedTimeZone scoped(zone);
    ZoneOffsets offsets;
    const std::int64_t from = 1293840000;  // 2011-01-01 UTC
    for (std::int64_t t = from; t < from + 2 * 366 * 86400; t += 1800) {
      for (const std::int64_t near : {t, t + 1}) {
        const Instant i = Instant::fromUnix(near);
        ASSERT_EQ(offsets.at(i), TimeZone::offsetAt(i)) << zone << " " << near;
      }
    }
  }
}

}  // namespace
}  // namespace tw
