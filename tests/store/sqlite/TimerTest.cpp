#include <gtest/gtest.h>

#include "model/ManualClock.h"
#include "tests/store/StoreHelpers.h"
#include "tests/store/TempFolder.h"

namespace tw {
namespace {

class TimerTest : public ::testing::Test {
 protected:
  // Advances the clock by the given seconds and answers the item's Duration.
  std::int32_t after(int seconds) {
    clock.advance(seconds);
    return item->Duration();
  }

  test::TempFolder folder;
  ManualClock clock{DateTime::fromParts(2024, 3, 1, 9)};
  Application app{folder.file("store.db")};
  Items journal = test::journalOf(app);
  std::shared_ptr<JournalItem> item = test::saveEntry(journal, "Write", clock.now());
};

TEST_F(TimerTest, DurationGrowsByWholeMinutesWhileRunningAndFreezesAtStop) {
  item->setDuration(10);
  item->StartTimer();
  EXPECT_TRUE(item->timerRunning());
  EXPECT_EQ(after(59), 10);
  EXPECT_EQ(after(1), 11);
  item->StartTimer();  // a second start keeps the first
  EXPECT_EQ(after(60 * 60 + 59), 71);
  item->StopTimer();
  EXPECT_FALSE(item->timerRunning());
  EXPECT_EQ(after(600), 71);
}

TEST_F(TimerTest, SaveStoresTheRunningDurationAndTheTimerKeepsGoing) {
  item->StartTimer();
  clock.advance(5 * 60 + 30);
  item->Save();
  EXPECT_EQ(asJournalItem(journal.find(item->id()))->Duration(), 5);
  EXPECT_EQ(after(5 * 60), 10);
  item->Save();
  // A loaded item's timer is not running: it keeps what the last Save stored.
  auto stored = asJournalItem(journal.find(item->id()));
  clock.advance(3600);
  EXPECT_EQ(stored->Duration(), 10);
  EXPECT_FALSE(stored->timerRunning());
}

TEST_F(TimerTest, ASetDurationCountsOnAndAClockSetBackTakesNothingAway) {
  item->StartTimer();
  clock.advance(300);
  item->setDuration(1);
  EXPECT_EQ(after(60), 2);
  EXPECT_EQ(after(-3600), 1);
}

}  // namespace
}  // namespace tw
