#include <gtest/gtest.h>

#include "SessionFixture.h"
#include "tracking/UnfinishedWork.h"

namespace tw {
namespace {

using Subjects = std::vector<std::string>;

// A window killed while timing at 9:10:30 left its timer in the store, saved at 9:10:10 (the
// periodic saves of a minute and a second); the next window starts at 9:15:30.
class RecoveryTest : public test::SessionFixture {
 protected:
  RunningTimer killedWhileTiming() {
    session = makeSession(ProcessIdentity{999999, 1});
    act("start Page layout, work 630, wait 300");
    session = makeSession(ProcessIdentity::self());
    return *UnfinishedWork::orphanedTimer(store, ProcessIdentity::self());
  }
  // The entry timed last.
  JournalEntry timed() {
    std::vector<JournalEntry> j = journal();
    while (j.back().type == "TWEvent") j.pop_back();
    return j.back();
  }
  void expectClosedAt(std::int64_t seconds) {
    EXPECT_EQ(timed().seconds, seconds);
    EXPECT_EQ(journal().back().subject, "Stop Work");
    EXPECT_EQ(journal().back().start, timed().start.plus(seconds));
    EXPECT_FALSE(store.timer().running());
    EXPECT_FALSE(UnfinishedWork::orphanedTimer(store, ProcessIdentity::self()));
  }
};

TEST_F(RecoveryTest, ResumingCountsTheTimeSinceTheProcessWasLost) {
  const RunningTimer orphan = killedWhileTiming();
  session->resume(orphan);
  act("work 60, stop");
  EXPECT_EQ(timed().seconds, 16 * 60 + 30);
  EXPECT_FALSE(UnfinishedWork::orphanedTimer(store, ProcessIdentity::self()));
}

// Stopping at the last save (10 saves of 61 s) keeps the saved time; at a chosen time cuts there.
TEST_F(RecoveryTest, StoppingTheOrphanClosesItsEntryWhereTheUserSays) {
  for (const std::int64_t at : {std::int64_t{10 * 61}, std::int64_t{7 * 60}}) {
    SCOPED_TRACE(at);
    const RunningTimer orphan = killedWhileTiming();
    EXPECT_EQ(timed().seconds, 10 * 61);
    session->stopAt(orphan, timed().start.plus(at));
    expectClosedAt(at);
  }
}

// A window closed while timing saves its entry once more and leaves the timer for the next
// start to offer; nothing is lost.
TEST_F(RecoveryTest, ClosingWhileTimingLosesNothing) {
  auto closing = makeSession(ProcessIdentity{999998, 1});
  closing->start("Billing");
  work(0);
  clock.advance(3 * 60 + 17);
  closing->saveNow();
  EXPECT_EQ(journal().back().seconds, 3 * 60 + 17);
  EXPECT_TRUE(UnfinishedWork::orphanedTimer(store, ProcessIdentity::self()));
}

TEST_F(RecoveryTest, ADayLeftOpenIsFoundAndClosed) {
  EXPECT_FALSE(UnfinishedWork::openDay(store, clock));
  act("start Page layout, work 600, pause");
  EXPECT_FALSE(UnfinishedWork::openDay(store, clock));  // still today
  clock.advance(24 * 3600);
  const std::optional<JournalEntry> last = UnfinishedWork::openDay(store, clock);
  ASSERT_TRUE(last);
  EXPECT_EQ(last->subject, "Page layout");
  session->closeDay(last->start.plus(last->seconds));
  EXPECT_EQ(subjects(), (Subjects{"Start Work", "Page layout", "Stop Work"}));
  EXPECT_EQ(journal().back().start, TimeZone::fromLocal(monday9()).plus(600));
  EXPECT_FALSE(UnfinishedWork::openDay(store, clock));
}

// The forgotten timer: past the limit, or past midnight, the user is asked once.
TEST_F(RecoveryTest, AForgottenTimerIsFlaggedOnceAndCutWhereTheUserSays) {
  act("start Page layout, work 60");
  EXPECT_FALSE(session->overdue(4 * 3600));
  clock.advance(4 * 3600);
  EXPECT_TRUE(session->overdue(4 * 3600));
  session->keepOverdue();
  EXPECT_FALSE(session->overdue(4 * 3600));
  act("switch Billing, wait 54000");  // past midnight
  EXPECT_TRUE(session->overdue(24 * 3600));
  session->stopAt(store.timer(), clock.now().plus(-14 * 3600));
  EXPECT_EQ(journal()[2].seconds, 3600);
  EXPECT_EQ(journal().back().subject, "Stop Work");
  EXPECT_FALSE(session->tracking());
}

}  // namespace
}  // namespace tw
