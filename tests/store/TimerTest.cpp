#include <gtest/gtest.h>

#include "model/ManualClock.h"
#include "tests/store/StoreHelpers.h"
#include "tests/store/TempFolder.h"

namespace tw {
namespace {

class TimerTest : public ::testing::Test {
 protected:
  test::TempFolder folder;
  ManualClock clock{DateTime::fromParts(2024, 3, 1, 9)};
  Application app{folder.file("store.db")};
  Items journal = test::journalOf(app);
};

TEST_F(TimerTest, DurationGrowsByWholeMinutesWhileRunningAndFreezesAtStop) {
  auto item = test::saveEntry(journal, "Write", clock.now());
  item->setDuration(10);
  item->StartTimer();
  EXPECT_TRUE(item->timerRunning());
  clock.advance(59);
  EXPECT_EQ(item->Duration(), 10);
  clock.advance(1);
  EXPECT_EQ(item->Duration(), 11);
  clock.advance(60 * 60 + 59);
  EXPECT_EQ(item->Duration(), 71);
  item->StopTimer();
  EXPECT_FALSE(item->timerRunning());
  clock.advance(600);
  EXPECT_EQ(item->Duration(), 71);
}

TEST_F(TimerTest, SaveStoresTheRunningDurationAndTheTimerKeepsGoing) {
  auto item = test::saveEntry(journal, "Write", clock.now());
  item->StartTimer();
  clock.advance(5 * 60 + 30);
  item->Save();
  EXPECT_EQ(asJournalItem(test::journalOf(app).find(item->id()))->Duration(), 5);
  clock.advance(5 * 60);
  EXPECT_EQ(item->Duration(), 10);
  item->Save();
  // A loaded item's timer is not running: it keeps what the last Save stored.
  auto stored = asJournalItem(test::journalOf(app).find(item->id()));
  clock.advance(3600);
  EXPECT_EQ(stored->Duration(), 10);
  EXPECT_FALSE(stored->timerRunning());
}

TEST_F(TimerTest, StartingTwiceKeepsTheFirstStartAndAClockSetBackTakesNothingAway) {
  auto item = test::saveEntry(journal, "Write", clock.now());
  item->StartTimer();
  clock.advance(120);
  item->StartTimer();
  EXPECT_EQ(item->Duration(), 2);
  clock.advance(-3600);
  EXPECT_EQ(item->Duration(), 0);
}

TEST_F(TimerTest, SettingTheDurationWhileRunningCountsOnFromTheNewValue) {
  auto item = test::saveEntry(journal, "Write", clock.now());
  item->StartTimer();
  clock.advance(300);
  item->setDuration(1);
  clock.advance(60);
  EXPECT_EQ(item->Duration(), 2);
}

}  // namespace
}  // namespace tw
