#include "tests/tracking/MainWindowFixture.h"

namespace tw::testing {
namespace {

class TickTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    addTask("Write report", "Work");
    startOn("Write report");
  }
  std::vector<QString> restarts() const {
    std::vector<QString> kinds;
    for (const auto& m : fake.messages.messages) {
      if (m.text.startsWith("Error, Restarting Outlook\r\n")) kinds.push_back("restart");
      if (m.text.startsWith("Fatal error, Please restart Tallyworks\r\n")) {
        kinds.push_back("fatal");
        EXPECT_EQ(m.icon, Icon::Critical);
      }
    }
    return kinds;
  }
};

TEST_F(TickTest, ShowsTheTimeSpentAndTheCategories) {
  frmMain& w = *window;
  clock.advance(2 * 3600 + 5 * 60 + 30);
  w.Timer1_Timer();
  EXPECT_EQ(panel1(), "2h 5m");  // the running timer feeds the status
  w.currentEntry->StopTimer();
  const std::pair<int, QString> cases[] = {
      {0, "< 1m"},    {1, "1m"},       {59, "59m"},   {60, "1h "},  {61, "1h 1m"},
      {125, "2h 5m"}, {135, "2h 15m"}, {600, "10h "}, {-5, "< 1m"}, {-61, "< 1m"}};
  for (const auto& [minutes, text] : cases) {
    w.currentEntry->setDuration(minutes);
    w.Timer1_Timer();
    EXPECT_EQ(panel1(), text) << minutes;
    EXPECT_EQ(panel2(), "Work");
  }
}

TEST_F(TickTest, SavesWhenMoreThanSixtySecondsHavePassed) {
  frmMain& w = *window;
  const std::int64_t id = w.currentEntry->id();
  const struct {
    int seconds, stored, sinceSave;
  } ticks[] = {{60, 0, 0}, {1, 1, 61}, {60, 1, 61}, {1, 2, 122}};
  for (const auto& tick : ticks) {
    clock.advance(tick.seconds);
    w.Timer1_Timer();
    EXPECT_EQ(stored(id)->Duration(), tick.stored);
    EXPECT_EQ(w.lastSaveTime, monday9().addSeconds(tick.sinceSave));
  }
}

TEST_F(TickTest, StoppedAndErrantStates) {
  frmMain& w = *window;
  w.btnPause_Click();
  w.Timer1_Timer();
  EXPECT_EQ(panel1(), "Stopped");
  EXPECT_EQ(panel2(), "");
  w.currentEntry = journal().back();
  w.Timer1_Timer();
  EXPECT_EQ(panel1(), "ERROR");
  EXPECT_EQ(panel2(), "Errant Entry in Memory");
}

TEST_F(TickTest, HoursBeyondSixteenBitsFailTheTick) {
  frmMain& w = *window;
  w.currentEntry->StopTimer();
  w.currentEntry->setDuration(32768 * 60);
  w.Timer1_Timer();
  EXPECT_EQ(restarts(), std::vector<QString>{"restart"});
  EXPECT_FALSE(w.tracking);
}

TEST_F(TickTest, StoreThatStopsAnsweringIsRecoveredFrom) {
  frmMain& w = *window;
  breakStore();
  clock.advance(61);
  QString statusDuringMessage;
  fake.messages.onShow = [&](const RecordedMessage&) {
    // A tick while the message is open does nothing.
    w.setStatus("unchanged", "");
    w.Timer1_Timer();
    statusDuringMessage = panel1();
  };
  w.Timer1_Timer();
  fake.messages.onShow = nullptr;
  // The refill cannot reach the store either.
  ASSERT_EQ(fake.messages.messages.size(), 2u);
  const auto& restart = fake.messages.messages[0];
  EXPECT_TRUE(restart.text.startsWith("Error, Restarting Outlook\r\n"));
  EXPECT_GT(restart.text.size(), 27);
  EXPECT_EQ(restart.icon, Icon::Warning);
  EXPECT_EQ(fake.messages.messages[1].title, "Error Getting Tasks");
  EXPECT_EQ(statusDuringMessage, "unchanged");
  EXPECT_EQ(w.tickErrors, 1);
  EXPECT_FALSE(w.tracking);
  EXPECT_EQ(w.currentEntry, nullptr);
  EXPECT_TRUE(w.btnStart->isEnabled());
}

TEST_F(TickTest, ThirdFailureWithoutACompletedTickIsFatal) {
  frmMain& w = *window;
  w.Timer1->start();
  breakStore();
  clock.advance(61);
  w.Timer1_Timer();  // the save fails: first recovery
  for (int again = 0; again < 2; ++again) {
    w.setTracking(true, false);  // the store still does not answer
    w.Timer1_Timer();
  }
  EXPECT_EQ(restarts(), (std::vector<QString>{"restart", "restart", "fatal"}));
  EXPECT_FALSE(w.Timer1->isActive());
  EXPECT_EQ(w.tickErrors, 2);
}

TEST_F(TickTest, ACompletedTickResetsTheFailureCount) {
  frmMain& w = *window;
  w.Timer1->start();
  for (int round = 0; round < 3; ++round) {
    w.currentEntry.reset();  // tracking without an entry: the tick fails
    w.Timer1_Timer();
    EXPECT_EQ(w.tickErrors, 1);
    startOn("Write report");
    w.Timer1_Timer();
    EXPECT_EQ(w.tickErrors, 0);
  }
  EXPECT_TRUE(w.Timer1->isActive());
  EXPECT_EQ(restarts(), (std::vector<QString>(3, "restart")));
}

}  // namespace
}  // namespace tw::testing
