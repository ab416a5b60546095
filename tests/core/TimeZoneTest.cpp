#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/DateTime.h"
#include "core/TimeZone.h"
#include "tests/support/ScopedTimeZone.h"

namespace tw {
namespace {

// Runs the test body in a named time zone and restores the one before.
class TimeZoneTest : public ::testing::Test {
 protected:
  void use(const char* zone) {
    zone_.reset();
    zone_.emplace(zone);
  }

 private:
  std::optional<test::ScopedTimeZone> zone_;
};

DateTime at(int y, int mo, int d, int h, int mi = 0) {
  return DateTime::fromParts(y, mo, d, h, mi);
}

// Every reading comes back under its offset; on the night the clocks go back the earlier
// instant is taken, and a reading the clocks skip keeps the offset from before the change.
TEST_F(TimeZoneTest, ReadingsAcrossDaylightSavingChanges) {
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
    use(c.zone);
    const TimeZone::Reading r = TimeZone::resolve(c.local);
    EXPECT_EQ(r.offset, c.offset) << c.zone << " " << c.local.seconds();
    EXPECT_EQ(r.instant.unixSeconds(), c.unixSeconds) << c.zone;
    EXPECT_EQ(r.instant.local(r.offset), c.local) << c.zone;
  }
  // The hour after the change back: the same wall-clock time an hour of real time later.
  use("Europe/Berlin");
  const Instant first = TimeZone::fromLocal(at(2024, 10, 27, 2, 30));
  EXPECT_EQ(TimeZone::offsetAt(first.plus(3600)), 3600);
  EXPECT_EQ(first.plus(3600).local(3600), at(2024, 10, 27, 2, 30));
}

}  // namespace
}  // namespace tw
