// How tasks and entries are read from and written to iCalendar objects, without a server.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/DateText.h"
#include "core/TimeZone.h"
#include "sync/EntryKind.h"
#include "sync/SyncError.h"
#include "sync/TaskKind.h"
#include "tests/support/ScopedTimeZone.h"
#include "tests/support/TextEdits.h"

namespace tw {
namespace {

using test::has;
using test::replaced;

class ItemKindTest : public ::testing::Test {
 protected:
  const test::ScopedTimeZone berlin{"Europe/Berlin"};
  // An entry recorded in New York on 15 July 2026 at 10:00 (UTC-4), as Tallyworks writes it.
  static JournalEntry july() {
    JournalEntry e;
    e.subject = "Review";
    e.utcOffset = -4 * 3600;
    e.start = Instant::fromLocal(DateTime::fromParts(2026, 7, 15, 10), e.utcOffset);
    e.seconds = 3600;
    return e;
  }

  const EntryKind kind;
  const Instant now = Instant::fromUnix(1'780'000'000);
};

constexpr const char* kBerlin =
    "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\n"
    "TZOFFSETTO:+0200\r\nDTSTART:19810329T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\n"
    "END:DAYLIGHT\r\nBEGIN:STANDARD\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\n"
    "DTSTART:19961027T030000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\n"
    "END:VTIMEZONE\r\n";

// The object with its start and end lines of 15 July, 14:00-15:00 UTC, given other values, in
// Berlin's time (with Berlin's rules) or as written.
std::string moved(const std::string& object, const std::string& start, const std::string& end,
                  bool berlin = false) {
  const std::string tz = berlin ? ";TZID=Europe/Berlin:" : ":";
  const std::string lines =
      replaced(replaced(object, "DTSTART:20260715T140000Z", "DTSTART" + tz + start),
               "DTEND:20260715T150000Z", "DTEND" + tz + end);
  return berlin ? replaced(lines, "BEGIN:VEVENT", std::string(kBerlin) + "BEGIN:VEVENT") : lines;
}

// DTSTART is the truth. The offset the entry was recorded with stands while DTSTART names the
// instant it was recorded with, in whatever form; once another program moved the start, the
// offset is the one DTSTART gives: a zone's, the machine's for UTC, the local one for a
// floating time. Objects of earlier versions (no X-TALLYWORKS-START) keep theirs while DTSTART
// is in UTC as written.
TEST_F(ItemKindTest, TheUtcOffsetComesFromDtstartAndTheRecordedOneOnlyWhileItAgrees) {
  const std::string written = kind.serialise("u", EntryKind::fieldsOf(july()), "", now);
  const std::string legacy = replaced(written, "X-TALLYWORKS-START:20260715T140000Z\r\n", "");
  const struct {
    const char* name;
    std::string object;
    const char* localStart;
    std::int32_t offset;
  } kCases[] = {
      {"as written", written, "2026-07-15T10:00:00", -4 * 3600},
      {"the same instant in Berlin's time",
       moved(written, "20260715T160000", "20260715T170000", true), "2026-07-15T10:00:00",
       -4 * 3600},
      {"moved to December in Berlin's time",
       moved(written, "20261215T100000", "20261215T110000", true), "2026-12-15T10:00:00", 3600},
      {"moved in UTC", moved(written, "20261215T090000Z", "20261215T100000Z"),
       "2026-12-15T10:00:00", 3600},
      {"moved to a floating time", moved(written, "20261215T100000", "20261215T110000"),
       "2026-12-15T10:00:00", 3600},
      {"an earlier version's, as written", legacy, "2026-07-15T10:00:00", -4 * 3600},
      {"an earlier version's, moved to Berlin's time",
       moved(legacy, "20261215T100000", "20261215T110000", true), "2026-12-15T10:00:00", 3600},
  };
  for (const auto& c : kCases) {
    const JournalEntry e = EntryKind::entryOf(kind.parse(c.object).fields);
    EXPECT_EQ(DateText::iso(e.localStart()), c.localStart) << c.name;
    EXPECT_EQ(e.utcOffset, c.offset) << c.name;
    EXPECT_EQ(e.seconds, 3600) << c.name;
  }
}

// Entries recorded in Berlin across the spring-forward night, in both readings of the hour the
// clocks go back, and across midnight and the new year, read on a computer in New York: the
// same local times, offsets and lengths, to the second.
TEST_F(ItemKindTest, LocalTimesOfDaylightSavingDaysRoundTripInAnotherZone) {
  const struct {
    const char* local;
    std::int32_t offset;
    std::int64_t seconds;
  } kEntries[] = {
      {"2024-03-31T01:30:17", 3600, 7203}, {"2024-10-27T02:30:00", 7200, 1800},
      {"2024-10-27T02:30:00", 3600, 1799}, {"2024-06-03T23:45:59", 7200, 3001},
      {"2024-12-31T23:59:59", 3600, 1},
  };
  std::vector<std::string> objects;
  for (const auto& x : kEntries) {
    JournalEntry e;
    e.subject = x.local;
    e.start = Instant::fromLocal(DateText::parseIso(x.local), x.offset);
    e.utcOffset = x.offset;
    e.seconds = x.seconds;
    objects.push_back(kind.serialise("u", EntryKind::fieldsOf(e), "", now));
  }
  const test::ScopedTimeZone newYork("America/New_York");
  for (std::size_t i = 0; i < objects.size(); ++i) {
    const JournalEntry e = EntryKind::entryOf(kind.parse(objects[i]).fields);
    EXPECT_EQ(DateText::iso(e.localStart()), kEntries[i].local);
    EXPECT_EQ(e.utcOffset, kEntries[i].offset) << kEntries[i].local;
    EXPECT_EQ(e.seconds, kEntries[i].seconds) << kEntries[i].local;
  }
}

// No length is written as an end one second later, which every server takes, and reads back
// as no length; an entry of one second stays one, and an end another program moved counts.
TEST_F(ItemKindTest, NoLengthIsWrittenAsOneSecondAndReadBackAsNone) {
  for (const std::int64_t seconds : {0, 1, 2, 3600}) {
    JournalEntry e = july();
    e.seconds = seconds;
    const std::string text = kind.serialise("u", EntryKind::fieldsOf(e), "", now);
    EXPECT_TRUE(has(text, "DTEND:")) << text;
    EXPECT_FALSE(has(text, "DURATION")) << text;
    EXPECT_EQ(EntryKind::entryOf(kind.parse(text).fields).seconds, seconds);
  }
  JournalEntry marker = july();
  marker.seconds = 0;
  const std::string written = kind.serialise("u", EntryKind::fieldsOf(marker), "", now);
  const std::string moved = replaced(written, "DTEND:20260715T140001Z", "DTEND:20260715T143000Z");
  EXPECT_EQ(EntryKind::entryOf(kind.parse(moved).fields).seconds, 1800);
  for (const char* other : {"DTEND:20260715T140000Z", "DURATION:PT0S"}) {
    const std::string text = replaced(written, "DTEND:20260715T140001Z", other);
    EXPECT_EQ(EntryKind::entryOf(kind.parse(text).fields).seconds, 0) << other;
  }
}

// Categories go out as one CATEGORIES property with comma-separated values (commas inside a
// category escaped); both that form and one property per category are read.
TEST_F(ItemKindTest, CategoriesAreWrittenAsOnePropertyAndReadInEitherForm) {
  const TaskKind tasks;
  const std::string text = tasks.serialise("t", {"Write", "Design, Print,Proof; Q3", "0"}, "", now);
  EXPECT_TRUE(has(text, "\r\nCATEGORIES:Design,Print\\,Proof\\; Q3\r\n")) << text;
  EXPECT_EQ(tasks.parse(text).fields[TaskKind::kCategories], "Design, Print,Proof; Q3");
  const std::string head =
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VTODO\r\nUID:o\r\nSUMMARY:Write\r\n";
  const std::string tail = "END:VTODO\r\nEND:VCALENDAR\r\n";
  for (const char* form :
       {"CATEGORIES:Design,Print\r\n", "CATEGORIES:Design\r\nCATEGORIES:Print\r\n"})
    EXPECT_EQ(tasks.parse(head + form + tail).fields[TaskKind::kCategories], "Design, Print")
        << form;
}

// Changing an item stamps it; a change calendar programs show (times, summary) raises SEQUENCE.
TEST_F(ItemKindTest, ChangesStampTheObjectAndVisibleOnesRaiseItsSequence) {
  const ItemKind::Fields first = EntryKind::fieldsOf(july());
  const std::string created = kind.serialise("u", first, "", now);
  EXPECT_TRUE(has(created, "LAST-MODIFIED:20260528T202640Z")) << created;
  EXPECT_TRUE(has(created, "CREATED:20260528T202640Z"));
  EXPECT_FALSE(has(created, "SEQUENCE"));
  const Instant later = Instant::fromUnix(1'780'003'600);
  const struct {
    const char* name;
    std::size_t field;
    const char* value;
    const char* sequence;
    bool stamped;
  } kCases[] = {
      {"nothing", EntryKind::kBody, "", "", false},
      {"the notes", EntryKind::kBody, "notes", "", true},
      {"the subject", EntryKind::kSubject, "Review again", "SEQUENCE:1", true},
      {"the start", EntryKind::kStart, "1784109600", "SEQUENCE:1", true},
      {"the length", EntryKind::kSeconds, "60", "SEQUENCE:1", true},
  };
  for (const auto& c : kCases) {
    ItemKind::Fields next = first;
    next[c.field] = c.value;
    const std::string changed = kind.serialise("u", next, created, later);
    EXPECT_EQ(has(changed, "LAST-MODIFIED:20260528T212640Z"), c.stamped) << c.name;
    EXPECT_TRUE(has(changed, "CREATED:20260528T202640Z")) << c.name;
    EXPECT_TRUE(*c.sequence ? has(changed, c.sequence) : !has(changed, "SEQUENCE")) << changed;
    EXPECT_TRUE(has(changed, "DTSTAMP:20260528T212640Z")) << c.name;
  }
}

}  // namespace
}  // namespace tw
