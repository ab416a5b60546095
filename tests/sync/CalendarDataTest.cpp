#include <gtest/gtest.h>

#include "SyncFixture.h"
#include "core/DateText.h"
#include "tests/support/TextEdits.h"

namespace tw {
namespace {

using test::SyncFixture;

using test::replaced;

// Entries recorded in Berlin across the spring-forward night, in both readings of the hour
// the clocks go back, and across midnight and the new year reach a computer in New York with
// the same instants, offsets and lengths: they read as the same local times.
TEST_F(SyncFixture, LocalTimesOfDaylightSavingDaysAndMidnightsRoundTripToTheSecond) {
  const struct {
    const char* local;
    std::int32_t offset;
    std::int64_t seconds;
  } kEntries[] = {
      {"2024-03-31T01:30:17", 3600, 7203}, {"2024-10-27T02:30:00", 7200, 1800},
      {"2024-10-27T02:30:00", 3600, 1799}, {"2024-06-03T23:45:59", 7200, 3001},
      {"2024-12-31T23:59:59", 3600, 1},
  };
  for (const auto& x : kEntries) {
    JournalEntry e;
    e.subject = x.local;
    e.start = Instant::fromLocal(DateText::parseIso(x.local), x.offset);
    e.utcOffset = x.offset;
    e.seconds = x.seconds;
    laptop->store.addEntry(e);
  }
  sync(*laptop);
  const test::ScopedTimeZone newYork("America/New_York");
  sync(*desktop);
  EXPECT_EQ(contents(desktop->store), contents(laptop->store));
  desktop->store.visitAll([](const JournalEntry& e) {
    EXPECT_EQ(DateText::iso(e.localStart()), e.subject);
    return true;
  });
}

// Another program moves an entry's end and adds properties and an alarm: the length follows,
// and the program's additions survive the next local change.
TEST_F(SyncFixture, AnotherProgramsChangesAreReadAndItsPropertiesKept) {
  const JournalEntry e = entry(laptop->store, "Layout", DateTime::fromParts(2024, 6, 3, 9), 3600);
  sync(*laptop);
  const DavClient::Resource before = onServer("/alice/timelog/").at(0);
  std::string changed = replaced(before.ical, "DTEND:20240603T080000Z", "DTEND:20240603T083000Z");
  changed = replaced(changed, "END:VEVENT",
                     "X-OTHER-PROGRAM:kept\\, with\\; care\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\n"
                     "TRIGGER:-PT5M\r\nDESCRIPTION:Soon\r\nEND:VALARM\r\nEND:VEVENT");
  ASSERT_EQ(request("PUT", before.href, changed, {"If-Match: " + before.etag}).status / 100, 2);
  EXPECT_EQ(sync(*laptop).received, 1);
  JournalEntry mine = *laptop->store.entryByUid(e.uid);
  EXPECT_EQ(mine.seconds, 5400);
  mine.subject = "Layout, second pass";
  laptop->store.updateEntry(mine);
  EXPECT_EQ(sync(*laptop).sent, 1);
  const std::string after = onServer("/alice/timelog/").at(0).ical;
  for (const char* kept : {"X-OTHER-PROGRAM:kept\\, with\\; care", "BEGIN:VALARM",
                           "X-TALLYWORKS-MINUTES:90", "SUMMARY:Layout\\, second pass"})
    EXPECT_NE(after.find(kept), std::string::npos) << kept << " in " << after;
}

// An object that is no entry is counted and skipped; the rest synchronises.
TEST_F(SyncFixture, UnreadableObjectsAreCountedAndSkipped) {
  sync(*laptop);
  ASSERT_EQ(request("PUT", "/alice/timelog/odd.ics",
                    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VTODO\r\nUID:odd\r\n"
                    "DTSTAMP:20240601T080000Z\r\nSUMMARY:Not an entry\r\nEND:VTODO\r\n"
                    "END:VCALENDAR\r\n")
                .status,
            201);
  entry(laptop->store, "Layout", DateTime::fromParts(2024, 6, 3, 9), 60);
  const SyncResult r = sync(*laptop);
  EXPECT_EQ(r.unparsable, 1);
  EXPECT_EQ(r.sent, 1);
  EXPECT_NE(r.summary().find("1 unreadable skipped"), std::string::npos);
  EXPECT_EQ(sync(*laptop).unparsable, 0);
}

}  // namespace
}  // namespace tw
