// start, pause, stop, last and status.
#include <unistd.h>

#include <filesystem>

#include "CliFixture.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "tests/support/Entries.h"

namespace tw::test {
namespace {

class TrackingCommandsTest : public CliTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(run({"task", "add", "Write", "--categories", "Docs"}), 0);
    ASSERT_EQ(run({"task", "add", "Review"}), 0);
    ASSERT_EQ(run({"task", "add", "Old", "--status", "2"}), 0);
  }
  // Minutes and subject of each journal entry, in the order stored.
  std::vector<std::string> journal() {
    std::vector<std::string> entries;
    if (std::filesystem::exists(store))
      for (const JournalEntry& e : allEntries(*opener.open(store, StoreOpener::Access::ReadOnly)))
        entries.push_back(std::to_string(e.minutes()) + ' ' + e.subject);
    return entries;
  }
};

TEST_F(TrackingCommandsTest, EachCommandIsOneStepOfTheTimerKeptInTheStore) {
  const struct {
    std::int64_t secondsBefore;
    std::vector<std::string> args;
    int code;
    std::string output;
  } steps[] = {
      {0, {"status"}, 0, "Stopped\n"},
      {0, {"start", "write"}, 0, "Started Write at 8:00:00 AM; the working day began.\n"},
      {300, {"status"}, 0, "Write\tDocs\t5\n"},
      {60, {"start", "Review"}, 0, "Started Review at 8:06:00 AM; stopped Write (6 min).\n"},
      {120, {"pause"}, 0, "Paused Review (2 min) at 8:08:00 AM; the working day stays open.\n"},
      {60, {"status"}, 0, "Paused: Review since 8:08:00 AM\n"},
      {0, {"last"}, 0, "Resumed Review at 8:09:00 AM.\n"},
      {180, {"stop"}, 0, "Stopped Review (3 min) at 8:12:00 AM; the working day ended.\n"},
      {0,
       {"stop"},
       0,
       "Nothing was being timed and no working day was open; nothing was written.\n"},
      {0, {"pause"}, 0, "Nothing was being timed; nothing was written.\n"},
      {0, {"start", "Old"}, 1, ""},
      {0, {"start", "Missing"}, 1, ""},
      {0, {"start", ""}, 2, ""},
      {60, {"start", "Write"}, 0, "Started Write at 8:13:00 AM; the working day began.\n"},
      {60, {"pause"}, 0, "Paused Write (1 min) at 8:14:00 AM; the working day stays open.\n"},
      {60, {"stop"}, 0, "Closed the working day at 8:15:00 AM (nothing was being timed).\n"},
  };
  for (const auto& step : steps) {
    clock.advance(step.secondsBefore);
    EXPECT_EQ(run(step.args), step.code) << step.args[0] << ' ' << err.str();
    EXPECT_EQ(out.str(), step.output) << step.args[0];
  }
  EXPECT_EQ(journal(),
            (std::vector<std::string>{"0 Start Work", "6 Write", "2 Review", "3 Review",
                                      "0 Stop Work", "0 Start Work", "1 Write", "0 Stop Work"}));
}

TEST_F(TrackingCommandsTest, LastNeedsAnEntryOfAnOpenTask) {
  EXPECT_EQ(run({"last"}), 1);
  EXPECT_EQ(err.str(), "tallyworks: No journal entry names an open task.\n");
  EXPECT_EQ(journal(), std::vector<std::string>{});
}

// A window that ended without stopping left its timer: --at-save ends it at its last save.
TEST_F(TrackingCommandsTest, AnUnfinishedTimerStopsAtItsLastSave) {
  ASSERT_EQ(run({"start", "Write"}), 0);
  {
    SqliteJournalStore s(store);
    RunningTimer lost = s.timer();
    lost.ownerPid = getpid();
    lost.ownerStart = 1;  // a process of this id that is gone
    lost.savedAt = lost.started.plus(120);
    s.setTimer(lost);
  }
  clock.advance(600);
  EXPECT_EQ(run({"stop", "--at-save"}), 0) << err.str();
  EXPECT_EQ(out.str(),
            "Stopped Write (2 min) at its last save, 8:02:00 AM; the working day ended.\n");
  EXPECT_EQ(journal(), (std::vector<std::string>{"0 Start Work", "2 Write", "0 Stop Work"}));
  EXPECT_EQ(run({"stop", "--at-save"}), 1);
  EXPECT_NE(err.str().find("Nothing is unfinished"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace tw::test
