#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>

#include "core/ManualClock.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "tests/support/SmallDisk.h"
#include "tests/support/TextEdits.h"
#include "tests/support/WriteLockHolder.h"
#include "tracking/TrackingSession.h"

namespace tw {
namespace {

using State = TrackingSession::State;

// A window's session timing "Page layout" on a store on a small disk of its own (or in a
// temporary folder where none can be mounted), with a hand-driven clock.
class StoreFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = disk.mounted() ? disk.file("store.db") : other.file("store.db");
    SqliteJournalStore::Options options;
    options.busyTimeoutMs = 300;
    store = std::make_unique<SqliteJournalStore>(path, options);
    store->addTask(Task{0, "", "Page layout", "", TaskStatus::NotStarted, 0});
    session = std::make_unique<TrackingSession>(*store, clock, ProcessIdentity::self(),
                                                EntryTypeRule(""));
    session->reloadTasks();
    session->attach();
  }

  TrackingSession::Status after(std::int64_t seconds) {
    clock.advance(seconds);
    return session->tick();
  }
  std::int64_t storedSeconds() { return store->entry(store->timer().entryId)->seconds; }

  test::SmallDisk disk{2048};
  test::TempFolder other;
  std::string path;
  ManualClock clock{DateTime::fromParts(2024, 3, 11, 9)};
  std::unique_ptr<SqliteJournalStore> store;
  std::unique_ptr<TrackingSession> session;
};

// The minute's save fails: timing goes on, each tick tries again, the status says since when
// nothing was saved and why, and once the store takes writes again every second timed is in
// it. Nothing ever stops the timing the store knows of, not even a file removed for good.
TEST_F(StoreFaultTest, TimingGoesOnThroughAStoreThatFailsAndEverySecondIsSavedAfter) {
  std::unique_ptr<test::WriteLockHolder> lock;
  const struct {
    const char* name;
    std::function<void()> begin, end;
    const char* cause;
  } faults[] = {
      {"another program holds the write lock",
       [&] { lock = std::make_unique<test::WriteLockHolder>(path); }, [&] { lock.reset(); },
       "locked by another program"},
      {"the file is moved away",
       [&] { ASSERT_EQ(std::rename(path.c_str(), (path + ".away").c_str()), 0); },
       [&] { ASSERT_EQ(std::rename((path + ".away").c_str(), path.c_str()), 0); },
       "the file no longer exists"},
      {"the disk is full", [&] { disk.fill(); }, [&] { disk.empty(); }, "the disk is full"},
      // Gone for good: the timing still goes on, in the window and in the store's timer.
      {"the file is removed", [&] { ASSERT_EQ(std::remove(path.c_str()), 0); }, nullptr,
       "the file no longer exists"},
  };
  session->start("Page layout");
  for (const auto& fault : faults) {
    SCOPED_TRACE(fault.name);
    if (&fault == &faults[2] && !disk.mounted()) {
      std::printf("[  SKIPPED ] the full disk: %s\n", disk.unavailable().c_str());
      continue;
    }
    after(61);  // saved
    const Instant savedAt = clock.now();
    const std::int64_t saved = storedSeconds();
    fault.begin();
    for (const std::int64_t seconds : {61, 1, 1, 600}) {
      const TrackingSession::Status s = after(seconds);
      EXPECT_EQ(s.state, State::Tracking);
      EXPECT_TRUE(test::has(s.storeFailure, fault.cause)) << s.storeFailure;
      EXPECT_EQ(s.savedAt, savedAt);
    }
    EXPECT_EQ(session->status().minutes, (saved + 663) / 60);
    if (!fault.end) break;
    fault.end();
    const TrackingSession::Status back = after(1);
    EXPECT_EQ(back.storeFailure, "");
    EXPECT_EQ(back.savedAt, clock.now());
    EXPECT_EQ(storedSeconds(), saved + 664);
    EXPECT_TRUE(store->timer().running());
  }
  EXPECT_TRUE(session->tracking());
}

// An action that fails stores nothing and leaves the session timing what the store still
// times, so that a window never shows Stopped while the store's timer runs.
TEST_F(StoreFaultTest, AnActionThatFailsLeavesTheTimingAsTheStoreHasIt) {
  session->start("Page layout");
  after(120);
  const RunningTimer before = store->timer();
  const test::WriteLockHolder lock(path);
  const std::function<void()> actions[] = {
      [&] { session->stop(); },
      [&] { session->pause(); },
      [&] { session->switchTo("Page layout"); },
      [&] { session->saveNow(); },
  };
  for (const auto& act : actions) {
    EXPECT_ANY_THROW(act());
    EXPECT_EQ(session->status().state, State::Tracking);
    EXPECT_EQ(session->held()->id, before.entryId);
  }
  EXPECT_THROW(session->switchTo("No such task"), std::runtime_error);
  EXPECT_EQ(session->status().minutes, 2);
  EXPECT_EQ(store->timer().generation, before.generation);
}

}  // namespace
}  // namespace tw
