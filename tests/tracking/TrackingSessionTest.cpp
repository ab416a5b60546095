#include <gtest/gtest.h>

#include <fstream>

#include "SessionFixture.h"
#include "core/Markers.h"
#include "tests/support/ScopedTimeZone.h"
#include "tracking/TrackingError.h"

namespace tw {
namespace {

using Subjects = std::vector<std::string>;
using State = TrackingSession::State;

class TrackingSessionTest : public test::SessionFixture {};

TEST_F(TrackingSessionTest, StartWritesAStartMarkerAndATimedTaskEntryStopClosesTheDay) {
  session->start("page LAYOUT");
  work(95 * 60);
  EXPECT_EQ(session->status().minutes, 95);
  EXPECT_EQ(session->status().categories, "Design");
  session->stop();
  const std::vector<JournalEntry> j = journal();
  ASSERT_EQ(j.size(), 3u);
  const Instant nine = TimeZone::fromLocal(monday9());
  EXPECT_EQ(j[0].subject, "Start Work");
  EXPECT_EQ(j[0].categories, "Tallyworks Start");
  EXPECT_EQ(j[0].type, "TWEvent");
  EXPECT_EQ(j[0].start, nine.plus(-60));
  EXPECT_EQ(j[1].subject, "Page layout");
  EXPECT_EQ(j[1].type, "Task");
  EXPECT_EQ(j[1].taskUid, store.tasks()[0].uid);
  EXPECT_EQ(j[1].start, nine);
  EXPECT_EQ(j[1].seconds, 95 * 60);
  EXPECT_EQ(j[2].subject, "Stop Work");
  EXPECT_EQ(j[2].categories, "Tallyworks Stop");
  EXPECT_EQ(j[2].start, nine.plus(95 * 60 + 60));
  EXPECT_FALSE(store.timer().running());
  EXPECT_EQ(session->status().state, State::Stopped);
}

// Whether a start opens a period of work: only when the newest marker is a stop, or there is
// none. Among markers of one start the one stored last counts.
TEST_F(TrackingSessionTest, TheNewestMarkerDecidesWhetherStartWritesOne) {
  const struct {
    std::vector<std::pair<const char*, int>> markers;  // subject, day of March
    bool writes;
  } cases[] = {
      {{}, true},
      {{{"Stop Work", 4}}, true},
      {{{"Start Work", 4}}, false},
      {{{"Stop Work", 4}, {"Start Work", 5}}, false},
      {{{"Start Work", 5}, {"Stop Work", 4}}, false},
      {{{"Start Work", 5}, {"Stop Work", 5}}, true},
      {{{"Stop Work", 5}, {"Start Work", 5}}, false},
      {{{"stop work", 5}}, false},
  };
  for (const auto& c : cases) {
    test::TempFolder other;
    SqliteJournalStore s(other.file("store.db"));
    Task t;
    t.subject = "Page layout";
    s.addTask(t);
    for (const auto& [subject, d] : c.markers) {
      JournalEntry m;
      m.subject = subject;
      m.type = "TWEvent";
      m.start = TimeZone::fromLocal(DateTime::fromParts(2024, 3, d, 8));
      s.addEntry(m);
    }
    TrackingSession session(s, clock, ProcessIdentity::self(), EntryTypeRule(""));
    session.reloadTasks();
    session.start("Page layout");
    EXPECT_EQ(s.newestOfType("TWEvent")->subject == "Start Work" &&
                  s.newestOfType("TWEvent")->start == clock.now().plus(-60),
              c.writes)
        << c.markers.size();
  }
}

TEST_F(TrackingSessionTest, PauseKeepsTheDayOpenAndStopWithNothingTimedWritesOnlyTheMarker) {
  session->start("Page layout");
  work(600);
  session->pause();
  EXPECT_TRUE(session->workOpen());
  session->start("Billing");
  work(60);
  session->switchTo("Page layout");
  work(30);
  session->stop();
  EXPECT_FALSE(session->workOpen());
  session->stop();
  EXPECT_EQ(subjects(), (Subjects{"Start Work", "Page layout", "Billing", "Page layout",
                                  "Stop Work", "Stop Work"}));
  const std::vector<JournalEntry> j = journal();
  EXPECT_EQ(j[1].seconds, 600);
  EXPECT_EQ(j[2].seconds, 60);
  EXPECT_EQ(j[3].seconds, 30);
}

// A start that fails (the task is gone from the list) leaves tracking on without an entry; the
// next tick says so, which the window answers with its recovery.
TEST_F(TrackingSessionTest, StartingATaskNotListedFailsIntoTrackingWithoutAnEntry) {
  session->start("Page layout");
  work(120);
  EXPECT_THROW(session->switchTo("No such task"), TrackingError);
  EXPECT_TRUE(session->tracking());
  EXPECT_FALSE(session->held());
  EXPECT_THROW(session->tick(), TrackingError);
  // Nothing of the failed switch was stored: the entry timed before still runs in the store.
  EXPECT_EQ(subjects(), (Subjects{"Start Work", "Page layout"}));
  EXPECT_TRUE(store.timer().running());
  session->abandon();
  EXPECT_EQ(session->tick().state, State::Stopped);
}

TEST_F(TrackingSessionTest, TaskEntriesTakeTheTypeTheRegistryFileGives) {
  std::ofstream(folder.file("registry.ini"))
      << "[Software\\Microsoft\\Shared Tools\\Outlook\\Journaling\\PJ_Task]\nDescription=x\n";
  session->start("Billing");
  EXPECT_EQ(journal().back().type, "PJ_Task");
}

// A tick saves the entry only when more than sixty seconds passed since the last save.
TEST_F(TrackingSessionTest, TicksSaveAboutOnceAMinute) {
  session->start("Page layout");
  const std::int64_t id = session->held()->id;
  clock.advance(60);
  session->tick();
  EXPECT_EQ(store.entry(id)->seconds, 0);
  clock.advance(1);
  session->tick();
  EXPECT_EQ(store.entry(id)->seconds, 61);
  clock.advance(60);
  session->tick();
  EXPECT_EQ(store.entry(id)->seconds, 61);
  session->saveNow();
  EXPECT_EQ(store.entry(id)->seconds, 121);
}

TEST_F(TrackingSessionTest, LastFindsTheMostRecentEntryOfAListedTask) {
  EXPECT_FALSE(session->lastTask());
  addEntry("Billing", monday9().addDays(-2));
  addEntry("Closed task", monday9().addDays(-1));
  addTask("Closed task", "", TaskStatus::Complete);
  addEntry("Stop Work", monday9().addDays(-1), 0, "TWEvent");
  session->reloadTasks();
  EXPECT_EQ(session->lastTask()->subject, "Billing");
}

// A journal entry's text names its subject and start ("3/4/2024 9:00 AM", seconds only when
// not zero); the entry comes back, timed on from its saved seconds while tracking.
TEST_F(TrackingSessionTest, ADroppedEntryIsPutBack) {
  const JournalEntry earlier = addEntry("Billing", DateTime::fromParts(2024, 3, 4, 9, 0, 0), 600);
  addEntry("Billing", DateTime::fromParts(2024, 3, 4, 9, 0, 5), 60);
  EXPECT_FALSE(session->drop("Billing 3/4/2024 9:00:07 AM"));  // seconds must match the text
  EXPECT_TRUE(session->drop("Subject: Billing, Start: 3/4/2024 9:00 AM"));
  EXPECT_EQ(session->status().state, State::Held);
  EXPECT_EQ(session->held()->id, earlier.id);

  session->abandon();
  session->start("Page layout");
  work(60);
  EXPECT_FALSE(session->drop("nothing like it"));
  EXPECT_EQ(session->held()->subject, "Page layout");
  EXPECT_TRUE(session->drop("Billing 3/4/2024 9:00 AM"));
  work(120);
  session->stop();
  EXPECT_EQ(store.entry(earlier.id)->seconds, 720);
  EXPECT_EQ(journal()[3].seconds, 60);  // the entry timed before the drop
}

// What is timed lives in the store: a command-line session sees the window's timer, and the
// window takes up what the command line did within a tick.
TEST_F(TrackingSessionTest, TheWindowAndTheCommandLineShareOneTimer) {
  session->start("Page layout");
  work(120);
  auto commandLine = makeSession(ProcessIdentity::detached());
  EXPECT_EQ(commandLine->status().subject, "Page layout");
  EXPECT_EQ(commandLine->status().minutes, 2);

  SqliteJournalStore other(folder.file("store.db"));
  TrackingSession cli(other, clock, ProcessIdentity::detached(), EntryTypeRule(""));
  cli.reloadTasks();
  cli.attach();
  clock.advance(60);
  cli.switchTo("Billing");
  EXPECT_EQ(session->tick().subject, "Billing");
  EXPECT_EQ(store.timer().ownerPid, ProcessIdentity::self().pid);  // the window adopted it
  work(60);
  cli.attach();
  cli.stop();
  EXPECT_EQ(session->tick().state, State::Stopped);
  // A late save of the window cannot extend the stopped entry.
  session->saveNow();
  const std::vector<JournalEntry> j = journal();
  EXPECT_EQ(j[1].seconds, 180);
  EXPECT_EQ(j[2].subject, "Billing");
  EXPECT_EQ(j[2].seconds, 60);
  EXPECT_EQ(j.back().subject, "Stop Work");
}

TEST_F(TrackingSessionTest, ATimerOfAProcessThatIsGoneIsAnOrphan) {
  auto gone = makeSession(ProcessIdentity{999999, 1});
  gone->start("Page layout");
  work(30);
  gone.reset();
  session = makeSession(ProcessIdentity::self());
  EXPECT_EQ(session->status().state, State::Stopped);
  ASSERT_TRUE(session->orphan());
  EXPECT_EQ(session->orphan()->entryId, journal()[1].id);
  auto commandLine = makeSession(ProcessIdentity::detached());
  commandLine->start("Billing");
  EXPECT_FALSE(session->orphan());
}

// Elapsed time is real time: across a change of daylight saving time, and when the wall clock
// is set while timing.
TEST_F(TrackingSessionTest, TimeCountsAsRealTimeAcrossClockChanges) {
  const test::ScopedTimeZone berlin("Europe/Berlin");
  clock.setLocal(DateTime::fromParts(2024, 3, 31, 1, 30));
  session->start("Page layout");
  work(2 * 3600);                          // 1:30 CET to 4:30 CEST
  clock.setWall(clock.now().plus(-7200));  // someone sets the clock back
  work(600);
  session->stop();
  const JournalEntry e = journal()[1];
  EXPECT_EQ(e.seconds, 2 * 3600 + 600);
  EXPECT_EQ(DateText::iso(e.localStart()), "2024-03-31T01:30:00");
  EXPECT_EQ(e.utcOffset, 3600);
}

}  // namespace
}  // namespace tw
