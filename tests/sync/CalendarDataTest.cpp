#include <gtest/gtest.h>

#include "SyncFixture.h"
#include "tests/support/TextEdits.h"

namespace tw {
namespace {

using test::replaced;
using test::SyncFixture;

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
    EXPECT_TRUE(test::has(after, kept)) << kept << " in " << after;
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
  EXPECT_TRUE(test::has(r.summary(), "1 unreadable skipped"));
  EXPECT_EQ(sync(*laptop).unparsable, 0);
}

}  // namespace
}  // namespace tw
