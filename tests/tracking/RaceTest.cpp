#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/ManualClock.h"
#include "core/SystemClock.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "tests/support/TempFolder.h"
#include "tracking/TrackingSession.h"

namespace tw {
namespace {

// Two processes that start timing at the same moment: the decision about the "Start Work"
// marker and the timer are one transaction, so exactly one marker is written and one timer
// runs; the second start replaces the first, which is kept.
TEST(RaceTest, TwoProcessesStartingAtOnceLeaveOneTimerAndOneMarker) {
  for (int round = 0; round < 5; ++round) {
    test::TempFolder folder;
    const std::string path = folder.file("store.db");
    // No connection may be open here when the children are forked.
    SqliteJournalStore(path).addTask(Task{0, "", "Page layout", "", TaskStatus::NotStarted, 0});
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    pid_t children[2];
    for (pid_t& child : children) {
      child = fork();
      if (child == 0) {
        close(go[1]);
        SqliteJournalStore store(path);
        SystemClock clock;
        TrackingSession session(store, clock, ProcessIdentity::self(), EntryTypeRule(""));
        session.reloadTasks();
        char byte;
        if (read(go[0], &byte, 1) < 0) _exit(2);
        session.start("Page layout");
        _exit(0);
      }
    }
    close(go[0]);
    close(go[1]);
    for (const pid_t child : children) {
      int status = 0;
      waitpid(child, &status, 0);
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    SqliteJournalStore store(path);
    int markers = 0, entries = 0;
    store.visitAll([&](const JournalEntry& e) {
      (e.type == "TWEvent" ? markers : entries)++;
      return true;
    });
    EXPECT_EQ(markers, 1) << "round " << round;
    EXPECT_EQ(entries, 2) << "round " << round;
    EXPECT_TRUE(store.timer().running());
  }
}

}  // namespace
}  // namespace tw
