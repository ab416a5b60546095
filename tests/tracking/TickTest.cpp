
#include "tests/tracking/MainWindowFixture.h"

namespace tw::testing {
namespace {

using Icon = MessageBoxes::Icon;

class TickTest : public MainWindowFixture {
 protected:
  frmMain& tracking() {
    addTask("Write report", "Work");
    frmMain& w = load();
    choose("Write report");
    w.btnStart_Click();
    return w;
  }
};

TEST_F(TickTest, ShowsTheTimeSpentAndTheCategories) {
  frmMain& w = tracking();
  const std::vector<std::pair<int, QString>> cases = {
      {0, "< 1m"},   {1, "1m"},      {59, "59m"},     {60, "1h "},
      {61, "1h 1m"}, {125, "2h 5m"}, {135, "2h 15m"}, {600, "10h "}};
  for (const auto& [minutes, text] : cases) {
    w.currentEntry->StopTimer();
    w.currentEntry->setDuration(minutes);
    w.Timer1_Timer();
    EXPECT_EQ(panel1(), text) << minutes;
    EXPECT_EQ(panel2(), "Work");
  }
  w.currentEntry->setDuration(-5);
  w.Timer1_Timer();
  EXPECT_EQ(panel1(), "< 1m");
  w.currentEntry->setDuration(-61);
  w.Timer1_Timer();
  EXPECT_EQ(panel1(), "< 1m");
}

TEST_F(TickTest, TheRunningTimerFeedsTheStatus) {
  frmMain& w = tracking();
  clock.advance(2 * 3600 + 5 * 60 + 30);
  w.Timer1_Timer();
  EXPECT_EQ(panel1(), "2h 5m");
}

TEST_F(TickTest, SavesWhenMoreThanSixtySecondsHavePassed) {
  frmMain& w = tracking();
  const std::int64_t id = w.currentEntry->id();
  clock.advance(60);
  w.Timer1_Timer();
  EXPECT_EQ(stored(id)->Duration(), 0);
  EXPECT_EQ(w.lastSaveTime, monday9());
  clock.advance(1);
  w.Timer1_Timer();
  EXPECT_EQ(stored(id)->Duration(), 1);
  EXPECT_EQ(w.lastSaveTime, monday9().addSeconds(61));
  clock.advance(60);
  w.Timer1_Timer();
  EXPECT_EQ(stored(id)->Duration(), 1);
  clock.advance(1);
  w.Timer1_Timer();
  EXPECT_EQ(stored(id)->Duration(), 2);
  EXPECT_EQ(w.lastSaveTime, monday9().addSeconds(122));
}

TEST_F(TickTest, StoppedAndErrantStates) {
  frmMain& w = tracking();
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
  frmMain& w = tracking();
  w.currentEntry->StopTimer();
  w.currentEntry->setDuration(32768 * 60);
  w.Timer1_Timer();
  ASSERT_FALSE(fake.messages.messages.empty());
  EXPECT_TRUE(fake.messages.messages[0].text.startsWith("Error, Restarting Outlook\r\n"));
  EXPECT_FALSE(w.tracking);
}

TEST_F(TickTest, StoreThatStopsAnsweringIsRecoveredFrom) {
  frmMain& w = tracking();
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
  ASSERT_GE(fake.messages.messages.size(), 1u);
  EXPECT_TRUE(fake.messages.messages[0].text.startsWith("Error, Restarting Outlook\r\n"));
  EXPECT_GT(fake.messages.messages[0].text.size(), 27);
  EXPECT_EQ(fake.messages.messages[0].icon, Icon::Warning);
  EXPECT_EQ(statusDuringMessage, "unchanged");
  EXPECT_EQ(w.tickErrors, 1);
  // The refill cannot reach the store either.
  ASSERT_EQ(fake.messages.messages.size(), 2u);
  EXPECT_EQ(fake.messages.messages[1].title, "Error Getting Tasks");
  EXPECT_FALSE(w.tracking);
  EXPECT_EQ(w.currentEntry, nullptr);
  EXPECT_TRUE(w.btnStart->isEnabled());
  fake.messages.onShow = nullptr;
}

TEST_F(TickTest, ThirdFailureWithoutACompletedTickIsFatal) {
  frmMain& w = tracking();
  w.Timer1->start();
  breakStore();
  clock.advance(61);
  w.Timer1_Timer();  // the save fails: first recovery
  for (int again = 0; again < 2; ++again) {
    w.setTracking(true, false);  // the store still does not answer
    w.Timer1_Timer();
  }
  std::vector<QString> kinds;
  for (const auto& m : fake.messages.messages) {
    if (m.text.startsWith("Error, Restarting Outlook\r\n")) kinds.push_back("restart");
    if (m.text.startsWith("Fatal error, Please restart Tallyworks\r\n")) {
      kinds.push_back("fatal");
      EXPECT_EQ(m.icon, Icon::Critical);
    }
  }
  EXPECT_EQ(kinds, (std::vector<QString>{"restart", "restart", "fatal"}));
  EXPECT_FALSE(w.Timer1->isActive());
  EXPECT_EQ(w.tickErrors, 2);
}

TEST_F(TickTest, ACompletedTickResetsTheFailureCount) {
  frmMain& w = tracking();
  w.Timer1->start();
  for (int round = 0; round < 3; ++round) {
    w.currentEntry.reset();  // tracking without an entry: the tick fails
    w.Timer1_Timer();
    EXPECT_EQ(w.tickErrors, 1);
    choose("Write report");
    w.btnStart_Click();
    w.Timer1_Timer();
    EXPECT_EQ(w.tickErrors, 0);
  }
  EXPECT_TRUE(w.Timer1->isActive());
  for (const auto& m : fake.messages.messages) EXPECT_FALSE(m.text.startsWith("Fatal"));
}

}  // namespace
}  // namespace tw::testing
