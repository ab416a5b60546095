#include <gtest/gtest.h>

#include "SyncFixture.h"
#include "core/Markers.h"
#include "store/sqlite/SqliteBillingStore.h"

namespace tw {
namespace {

using test::replaced;
using test::SyncFixture;

const char* kOtherTask =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\nBEGIN:VTODO\r\nUID:other-task\r\n"
    "DTSTAMP:20240601T080000Z\r\nSUMMARY:Call the printer\r\nSTATUS:IN-PROCESS\r\n"
    "X-OTHER-CLIENT:keep\\, me\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
const char* kOtherEvent =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\nBEGIN:VEVENT\r\nUID:other-event\r\n"
    "DTSTAMP:20240601T080000Z\r\nDTSTART;TZID=Europe/Berlin:20240603T100000\r\n"
    "DTEND;TZID=Europe/Berlin:20240603T113000\r\nSUMMARY:Meeting\r\nEND:VEVENT\r\n"
    "END:VCALENDAR\r\n";

// The laptop has a day of work, the server has items another program made: after one
// synchronisation each side has both, and a second synchronisation has nothing to do.
TEST_F(SyncFixture, TheFirstSynchronisationGoesBothWays) {
  sync(*desktop);  // makes the collections
  ASSERT_EQ(request("PUT", "/alice/tasks/other-task.ics", kOtherTask).status, 201);
  ASSERT_EQ(request("PUT", "/alice/timelog/other-event.ics", kOtherEvent).status, 201);
  JournalStore& s = laptop->store;
  const Task layout = task(s, "Page layout", TaskStatus::InProgress, "Design");
  entry(s, "Start Work", june(3, 8, 59), 0, "", "TWEvent");
  entry(s, "Page layout", june(3, 9), 5400, layout.uid);
  entry(s, "Stop Work", june(3, 10, 31), 0, "", "TWEvent");

  const SyncResult first = sync(*laptop);
  EXPECT_EQ(first.received, 2);
  EXPECT_EQ(first.sent, 4);
  EXPECT_EQ(s.taskByUid("other-task")->status, TaskStatus::InProgress);
  const JournalEntry meeting = *s.entryByUid("other-event");
  EXPECT_EQ(meeting.start, TimeZone::fromLocal(june(3, 10)));
  EXPECT_EQ(meeting.seconds, 5400);
  EXPECT_EQ(onServer("/alice/tasks/").size(), 2u);
  EXPECT_EQ(onServer("/alice/timelog/").size(), 4u);
  EXPECT_EQ(sync(*laptop).summary(), "sent 0, received 0, conflicts 0, deleted 0");
}

// Two computers change tasks, entries and markers on either side, with statuses and deletions:
// they end up with the same journal. (What texts may hold is the calendar objects' concern:
// ItemKindTest, IcalFileTest.)
TEST_F(SyncFixture, TwoComputersConvergeThroughTheServer) {
  JournalStore& l = laptop->store;
  JournalStore& d = desktop->store;
  const Task billing = task(l, "Billing", TaskStatus::Waiting, "Admin");
  const Task layout = task(l, "Page layout", TaskStatus::Deferred, "Design, Print");
  const JournalEntry work = entry(l, "Billing", june(3, 9), 1800, billing.uid);
  entry(l, std::string(Markers::kStartSubject), june(3, 8, 59), 0, "", std::string(Markers::kType));
  sync(*laptop);
  sync(*desktop);
  EXPECT_EQ(contents(d), contents(l));

  Task moved = *d.taskByUid(layout.uid);
  moved.status = TaskStatus::Complete;
  d.updateTask(moved);
  l.deleteEntry(l.entryByUid(work.uid)->id);
  entry(d, "Page layout", june(4, 14), 600, layout.uid);
  const Task dropped = task(d, "Dropped");
  sync(*desktop);
  sync(*laptop);
  l.deleteTask(l.taskByUid(dropped.uid)->id);
  sync(*laptop);
  sync(*desktop);
  EXPECT_EQ(contents(d), contents(l));
  EXPECT_EQ(l.taskByUid(layout.uid)->status, TaskStatus::Complete);
  EXPECT_FALSE(d.entryByUid(work.uid));
  EXPECT_FALSE(d.taskByUid(dropped.uid));
  EXPECT_EQ(contents(l).size(), 4u);
}

// One computer deletes an entry the other changed, or one it is timing: the entry and its
// tracked time survive on both.
TEST_F(SyncFixture, AnEditOrATimerBeatsADelete) {
  const struct {
    bool laptopDeletes;
    bool timed;
    bool deleterFirst;
  } kCases[] = {
      {true, false, true}, {false, false, true}, {false, true, true}, {true, false, false}};
  for (const auto& c : kCases) {
    const JournalEntry e = entry(laptop->store, "Layout", june(3, 9), 600);
    sync(*laptop);
    sync(*desktop);
    Computer& deleter = c.laptopDeletes ? *laptop : *desktop;
    Computer& keeper = c.laptopDeletes ? *desktop : *laptop;
    JournalEntry kept = *keeper.store.entryByUid(e.uid);
    if (c.timed) {
      RunningTimer timer;
      timer.entryId = kept.id;
      keeper.store.setTimer(timer);
    } else {
      kept.seconds = 4321;
      keeper.store.updateEntry(kept);
    }
    deleter.store.deleteEntry(deleter.store.entryByUid(e.uid)->id);
    sync(c.deleterFirst ? deleter : keeper);
    sync(c.deleterFirst ? keeper : deleter);
    sync(*laptop);
    sync(*desktop);
    ASSERT_TRUE(laptop->store.entryByUid(e.uid)) << c.laptopDeletes << c.timed;
    EXPECT_EQ(laptop->store.entryByUid(e.uid)->seconds, kept.seconds);
    EXPECT_EQ(contents(laptop->store), contents(desktop->store));
    keeper.store.setTimer({});
  }
}

// The desktop deletes a task the laptop has meanwhile timed an entry for: the task stays, and
// comes back to the desktop with the entry.
TEST_F(SyncFixture, ATaskWithTrackedTimeSurvivesItsDeletionElsewhere) {
  const Task t = task(laptop->store, "Layout");
  sync(*laptop);
  sync(*desktop);
  entry(laptop->store, "Layout", june(3, 9), 600, t.uid);
  desktop->store.deleteTask(desktop->store.taskByUid(t.uid)->id);
  sync(*desktop);
  sync(*laptop);
  sync(*desktop);
  EXPECT_TRUE(desktop->store.taskByUid(t.uid));
  EXPECT_EQ(contents(desktop->store), contents(laptop->store));
}

// While the laptop sends its changes to two entries, the deletion of a third and a new fourth,
// another program changes the first two on the server and the fourth arrives there as if an
// earlier sending's answer had been lost: the changes are merged and sent again, the edit
// beats the deletion, and the fourth is adopted, not duplicated.
TEST_F(SyncFixture, ChangesMadeWhileSendingAreMergedAndBeatADeletion) {
  JournalStore& l = laptop->store;
  for (const char* subject : {"A", "B", "C"}) entry(l, subject, june(3, 9), 600);
  sync(*laptop);
  std::vector<JournalEntry> e = test::allEntries(l);
  e[0].body = e[1].body = "mine";
  l.updateEntry(e[0]);
  l.updateEntry(e[1]);
  l.deleteEntry(e[2].id);
  const JournalEntry d = entry(l, "D", june(3, 11), 60);
  CalendarSync::Options options;
  options.parallel = 1;
  options.afterAnswer = [&, once = true]() mutable {
    if (!once) return;
    once = false;
    const std::string lost = EntryKind().serialise(d.uid, EntryKind::fieldsOf(d), "", clock.now());
    ASSERT_EQ(request("PUT", "/alice/timelog/" + d.uid + ".ics", lost).status, 201);
    for (const DavClient::Resource& r : onServer("/alice/timelog/")) {
      if (!test::has(r.ical, "SUMMARY:B") && !test::has(r.ical, "SUMMARY:C")) continue;
      const std::string text =
          test::has(r.ical, "SUMMARY:B")
              ? test::replaced(r.ical, "END:VEVENT", "CATEGORIES:Other\r\nEND:VEVENT")
              : test::replaced(r.ical, "SUMMARY:C", "SUMMARY:C again");
      ASSERT_EQ(request("PUT", r.href, text, {"If-Match: " + r.etag}).status / 100, 2);
    }
  };
  const SyncResult r = sync(*laptop, options);
  EXPECT_EQ(r.summary(), "sent 2, received 2, conflicts 0, deleted 0");
  EXPECT_EQ(l.entryByUid(e[1].uid)->categories, "Other");
  EXPECT_EQ(l.entryByUid(e[2].uid)->subject, "C again");
  EXPECT_EQ(onServer("/alice/timelog/").size(), 4u);
  sync(*desktop);
  EXPECT_EQ(desktop->store.entryByUid(e[1].uid)->body, "mine");
  EXPECT_EQ(contents(desktop->store), contents(l));
}

// Another program moves an entry's end and adds properties and an alarm: the length follows,
// and the program's additions survive the next local change.
TEST_F(SyncFixture, AnotherProgramsChangesAreReadAndItsPropertiesKept) {
  const JournalEntry e = entry(laptop->store, "Layout", june(3, 9), 3600);
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
  ASSERT_EQ(request("PUT", "/alice/timelog/odd.ics", kOtherTask).status, 201);  // no entry
  entry(laptop->store, "Layout", june(3, 9), 60);
  EXPECT_EQ(sync(*laptop).summary(),
            "sent 1, received 0, conflicts 0, deleted 0, 1 unreadable skipped");
  EXPECT_EQ(sync(*laptop).unparsable, 0);
}

// The laptop marks the entries of Acme in June invoiced; the desktop, which has not seen that,
// changes one of them and deletes another. The laptop keeps both as they were, the changed
// one's server version as a conflict copy, and sends them again: both computers end with the
// invoiced values.
TEST_F(SyncFixture, ChangesFromTheServerToInvoicedEntriesBecomeConflictCopies) {
  JournalStore& l = laptop->store;
  const Task t = task(l, "Write", TaskStatus::InProgress, "Acme");
  const auto acme = [&](int day, std::int64_t seconds) {
    JournalEntry e = test::localEntry("Write", DateTime::fromParts(2024, 6, day, 9), seconds);
    e.categories = "Acme";
    e.taskUid = t.uid;
    return l.addEntry(e);
  };
  const JournalEntry changed = acme(3, 3600);
  const JournalEntry deleted = acme(4, 1800);
  sync(*laptop);
  sync(*desktop);
  SqliteBillingStore(laptop->store)
      .addInvoiced(
          {0, "acme", DateTime::fromParts(2024, 6, 1), DateTime::fromParts(2024, 6, 30), 0});
  JournalEntry e = *desktop->store.entryByUid(changed.uid);
  e.seconds = 7200;
  desktop->store.updateEntry(e);
  desktop->store.deleteEntry(desktop->store.entryByUid(deleted.uid)->id);
  sync(*desktop);

  const SyncResult r = sync(*laptop);
  EXPECT_EQ(l.entryByUid(changed.uid)->seconds, 3600);
  ASSERT_TRUE(l.entryByUid(deleted.uid));
  ASSERT_EQ(r.problems.size(), 2U);
  EXPECT_TRUE(test::has(r.problems[0].reason, "invoiced for acme, 1\u201330 Jun 2024"))
      << r.problems[0].reason;
  const std::vector<SyncState::ConflictCopy> copies = laptop->state.conflicts();
  ASSERT_EQ(copies.size(), 1U);
  EXPECT_EQ(copies[0].fields, "length");
  sync(*laptop);
  sync(*desktop);
  EXPECT_EQ(contents(l), contents(desktop->store));
  EXPECT_EQ(desktop->store.entryByUid(changed.uid)->seconds, 3600);
}

}  // namespace
}  // namespace tw
