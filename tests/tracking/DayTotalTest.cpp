#include <gtest/gtest.h>

#include "SessionFixture.h"
#include "tracking/DayTotal.h"

namespace tw {
namespace {

class DayTotalTest : public test::SessionFixture {};

// A day's work is what its entries of work hold, entries recorded at -10 h and +13 h around
// midnight included; the entry being timed counts at its minutes now, on the day it began.
TEST_F(DayTotalTest, CountsTheWorkOfTheDaysEntries) {
  const auto add = [&](DateTime local, int offsetHours, std::int64_t minutes, const char* type,
                       const char* categories) {
    JournalEntry e = addEntry("Work", local, minutes * 60, type);
    e.utcOffset = offsetHours * 3600;
    e.start = Instant::fromLocal(local, e.utcOffset);
    e.categories = categories;
    store.updateEntry(e);
    return e.id;
  };
  const auto at = [](int day, int hour, int minute) {
    return DateTime::fromParts(2024, 3, day, hour, minute);
  };
  add(at(11, 9, 0), 1, 30, "Task", "Design");
  add(at(11, 0, 15), 13, 11, "Task", "");
  add(at(11, 23, 45), -10, 13, "PJ_Task", "Admin");
  add(at(11, 8, 59), 1, 5, "TWEvent", "Tallyworks Start");
  add(at(11, 12, 0), 1, 7, "Task", "Tallyworks Stop");
  add(at(10, 23, 59), 1, 17, "Task", "Design");
  add(at(12, 0, 0), 1, 19, "Task", "Design");
  const std::int64_t today = add(at(11, 10, 0), 1, 5, "Task", "Design");
  const std::int64_t yesterday = add(at(10, 23, 30), 1, 40, "Task", "Design");
  const struct {
    const char* name;
    std::int64_t timedId;
    std::int64_t expected;
  } cases[] = {
      {"nothing timed", 0, 30 + 11 + 13 + 5},
      {"timed since this morning", today, 30 + 11 + 13 + 25},
      {"timed since yesterday", yesterday, 30 + 11 + 13 + 5},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DayTotal::read(store, at(11, 0, 0), c.timedId).minutes(25), c.expected) << c.name;
}

}  // namespace
}  // namespace tw
