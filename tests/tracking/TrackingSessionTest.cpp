#include <gtest/gtest.h>

#include <fstream>
#include <functional>

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
  act("start page LAYOUT, work 5700");
  EXPECT_EQ(session->status().minutes, 95);
  EXPECT_EQ(session->status().categories, "Design");
  session->stop();
  // Each entry as "subject|categories|type|task|start (seconds after 9:00)|seconds".
  std::vector<std::string> lines;
  for (const JournalEntry& e : journal())
    lines.push_back(e.subject + "|" + e.categories + "|" + e.type + "|" + e.taskUid + "|" +
                    std::to_string(e.start.secondsSince(TimeZone::fromLocal(monday9()))) + "|" +
                    std::to_string(e.seconds));
  const std::string task = store.tasks()[0].uid;
  EXPECT_EQ(lines, (Subjects{"Start Work|Tallyworks Start|TWEvent||0|0",
                             "Page layout|Design|Task|" + task + "|0|5700",
                             "Stop Work|Tallyworks Stop|TWEvent||5700|0"}));
  EXPECT_FALSE(store.timer().running());
  EXPECT_EQ(session->status().state, State::Stopped);
}

// Whether a start opens a period of work: when the marker the store names as written last is a
// "Stop Work" (exactly), or there is none.
TEST_F(TrackingSessionTest, TheMarkerWrittenLastDecidesWhetherStartWritesOne) {
  const struct {
    std::vector<std::pair<const char*, int>> markers;  // subject, day of March, in writing order
    bool writes;
  } cases[] = {
      {{}, true},
      {{{"Stop Work", 4}}, true},
      {{{"Start Work", 4}}, false},
      {{{"Start Work", 5}, {"Stop Work", 4}}, true},
      {{{"stop work", 5}}, false},
  };
  for (const auto& c : cases) {
    test::TempFolder other;
    SqliteJournalStore s(other.file("store.db"));
    s.addTask(Task{0, "", "Page layout", "", TaskStatus::NotStarted, 0});
    for (const auto& [subject, d] : c.markers)
      s.addEntry(test::localEntry(subject, DateTime::fromParts(2024, 3, d, 8), 0, "TWEvent"));
    TrackingSession session(s, clock, ProcessIdentity::self(), EntryTypeRule(""));
    session.reloadTasks();
    session.start("Page layout");
    EXPECT_EQ(s.lastMarker()->start == clock.now(), c.writes) << c.markers.size();
  }
}

// Steps of a window (w) and of the command line (c) on one store, seconds apart ("=": in the
// same second): markers alternate in the order written and in start order, and a stop or a
// pause with nothing to end writes nothing and says so.
TEST_F(TrackingSessionTest, MarkersAlternateWhateverTheStepsAndWhoeverTakesThem) {
  const struct {
    std::vector<std::string> steps;
    std::vector<bool> changed;  // what each step returned (true for starts and switches)
    Subjects markers;
  } cases[] = {
      {{"c start", "c stop", "c start", "c start"},
       {true, true, true, true},
       {"Start Work", "Stop Work", "Start Work"}},
      {{"c stop", "c pause", "w stop"}, {false, false, false}, {}},
      {{"w start", "c stop", "w stop", "c stop"},
       {true, true, false, false},
       {"Start Work", "Stop Work"}},
      {{"w start", "w pause", "c pause", "c stop", "w stop"},
       {true, true, false, true, false},
       {"Start Work", "Stop Work"}},
      {{"w start", "=w stop", "=w start", "=w stop", "c start", "=c switch", "w stop"},
       {true, true, true, true, true, true, true},
       {"Start Work", "Stop Work", "Start Work", "Stop Work", "Start Work", "Stop Work"}},
      {{"c start", "w pause", "w start", "c start", "w stop", "c pause", "c start"},
       {true, true, true, true, true, false, true},
       {"Start Work", "Stop Work", "Start Work"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.steps.at(0) + ", " + c.steps.at(1) + ", ...");
    test::TempFolder other;
    SqliteJournalStore s(other.file("store.db"));
    s.addTask(Task{0, "", "Page layout", "", TaskStatus::NotStarted, 0});
    TrackingSession window(s, clock, ProcessIdentity::self(), EntryTypeRule(""));
    window.reloadTasks();
    std::vector<bool> changed;
    for (const std::string& step : c.steps) {
      if (step[0] != '=') clock.advance(7);
      window.tick();
      TrackingSession commandLine(s, clock, ProcessIdentity::detached(), EntryTypeRule(""));
      commandLine.reloadTasks();
      commandLine.attach();
      TrackingSession& by = step[step[0] == '=' ? 1 : 0] == 'w' ? window : commandLine;
      const std::string what = step.substr(step.find(' ') + 1);
      if (what == "start") by.start("Page layout");
      if (what == "switch") by.switchTo("Page layout");
      changed.push_back(what == "stop" ? by.stop() : what == "pause" ? by.pause() : true);
    }
    EXPECT_EQ(changed, c.changed);
    Subjects written, inStartOrder;
    s.visitAll([&](const JournalEntry& e) {
      if (e.type == "TWEvent") written.push_back(e.subject);
      return true;
    });
    s.readDays({}, {}, [&](JournalStore::EntryBatch b) {
      for (const JournalEntry& e : b)
        if (e.type == "TWEvent") inStartOrder.push_back(e.subject);
    });
    EXPECT_EQ(written, c.markers);
    EXPECT_EQ(inStartOrder, c.markers);
  }
}

TEST_F(TrackingSessionTest, PauseKeepsTheDayOpenAndSwitchingTimesTheNextTask) {
  act("start Page layout, work 600");
  EXPECT_TRUE(session->pause());
  EXPECT_TRUE(session->workOpen());
  act("start Billing, work 60, switch Page layout, work 30");
  EXPECT_TRUE(session->stop());
  EXPECT_FALSE(session->workOpen());
  EXPECT_EQ(timeline(), (Subjects{"Start Work 0", "Page layout 600", "Billing 60", "Page layout 30",
                                  "Stop Work 0"}));
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
  EXPECT_TRUE(session->drop("Subject: Billing, Start: 3/4/2024 9:00 AM"));
  EXPECT_EQ(session->status().state, State::Held);
  EXPECT_EQ(session->held()->id, earlier.id);

  act("stop, start Page layout, work 60");
  EXPECT_FALSE(session->drop("nothing like it"));
  EXPECT_EQ(session->held()->subject, "Page layout");
  EXPECT_TRUE(session->drop("Billing 3/4/2024 9:00 AM"));
  act("work 120, stop");
  EXPECT_EQ(timeline(), (Subjects{"Billing 720", "Billing 60", "Start Work 0", "Page layout 60",
                                  "Stop Work 0"}));
}

// What is timed lives in the store: a command-line session sees the window's timer, and the
// window takes up what the command line did within a tick.
TEST_F(TrackingSessionTest, TheWindowAndTheCommandLineShareOneTimer) {
  act("start Page layout, work 120");
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
  EXPECT_EQ(timeline(), (Subjects{"Start Work 0", "Page layout 180", "Billing 60", "Stop Work 0"}));
}

// Paused is an open period of work with nothing timed: the task paused is the newest entry of
// the period and the pause began where it ends. The window and the command line both see it.
TEST_F(TrackingSessionTest, APauseNamesTheTaskPausedAndSinceWhen) {
  const auto pausedByAnotherProgram = [&] {
    SqliteJournalStore other(folder.file("store.db"));
    TrackingSession cli(other, clock, ProcessIdentity::detached(), EntryTypeRule(""));
    cli.attach();
    cli.pause();
  };
  const auto dayOpenedByHand = [&] {
    addEntry("Billing", TimeZone::toLocal(clock.now().plus(-3600)), 600);
    addEntry("Start Work", TimeZone::toLocal(clock.now()), 0, "TWEvent");
  };
  const struct {
    const char* steps;
    std::function<void()> then;
    State state;
    std::string subject;
    std::int64_t since;  // seconds after the case began
  } cases[] = {
      {"start Page layout, work 600, pause, work 60", {}, State::Paused, "Page layout", 600},
      {"start Page layout, work 60, switch Billing, work 120, pause, wait 900",
       {},
       State::Paused,
       "Billing",
       180},
      {"start Page layout, pause, start Billing", {}, State::Tracking, "Billing", 0},
      {"start Page layout, work 60, stop", {}, State::Stopped, "", 0},
      {"start Page layout, work 60", pausedByAnotherProgram, State::Paused, "Page layout", 60},
      {"", dayOpenedByHand, State::Paused, "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.steps);
    clock.advance(86400);
    const Instant began = clock.now();
    act(c.steps);
    if (c.then) c.then();
    const TrackingSession::Status window = session->tick();
    const TrackingSession::Status commandLine = makeSession(ProcessIdentity::detached())->status();
    for (const TrackingSession::Status& seen : {window, commandLine}) {
      EXPECT_EQ(seen.state, c.state);
      EXPECT_EQ(seen.subject, c.subject);
      if (c.state == State::Paused) {
        EXPECT_EQ(seen.since, began.plus(c.since));
      }
    }
    session->stop();
    session->tick();
  }
}

TEST_F(TrackingSessionTest, ATimerOfAProcessThatIsGoneIsAnOrphan) {
  session = makeSession(ProcessIdentity{999999, 1});
  act("start Page layout, work 30");
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
