#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "SessionFixture.h"
#include "tracking/UnfinishedWork.h"

namespace tw {
namespace {

// The state letter of /proc/<pid>/stat.
char stateOf(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(in, line);
  const std::size_t close = line.rfind(')');
  return close == std::string::npos ? '?' : line.at(close + 2);
}

class ProcessIdentityTest : public test::SessionFixture {
 protected:
  // A child that says who it is and waits; it touches no store.
  ProcessIdentity startChild() {
    int said[2];
    EXPECT_EQ(pipe(said), 0);
    child = fork();
    if (child == 0) {
      const ProcessIdentity me = ProcessIdentity::self();
      if (write(said[1], &me, sizeof me) != sizeof me) _exit(1);
      pause();
      _exit(0);
    }
    close(said[1]);
    ProcessIdentity identity;
    EXPECT_EQ(read(said[0], &identity, sizeof identity), static_cast<ssize_t>(sizeof identity));
    close(said[0]);
    return identity;
  }
  void TearDown() override {
    if (child > 0) waitpid(child, nullptr, 0);
  }
  pid_t child = -1;
};

// A window killed while timing: before its parent has collected it, the process is a zombie,
// which has ended all the same; its timer is an orphan to offer at once, and the command
// line's status no longer shows it as running.
TEST_F(ProcessIdentityTest, AKilledProcessNotYetCollectedHasEnded) {
  const ProcessIdentity window = startChild();
  EXPECT_TRUE(window.alive());
  auto killed = makeSession(window);
  killed->start("Page layout");
  EXPECT_FALSE(UnfinishedWork::orphanedTimer(store, ProcessIdentity::self()));
  EXPECT_FALSE(makeSession(ProcessIdentity::detached())->status().ownerGone);  // `status`
  ASSERT_EQ(kill(child, SIGKILL), 0);
  while (stateOf(child) != 'Z') usleep(1000);
  EXPECT_FALSE(window.alive());
  EXPECT_TRUE(makeSession(ProcessIdentity::detached())->status().ownerGone);
  const std::optional<RunningTimer> orphan =
      UnfinishedWork::orphanedTimer(store, ProcessIdentity::self());
  ASSERT_TRUE(orphan);
  EXPECT_EQ(orphan->ownerPid, child);
  waitpid(child, nullptr, 0);
  child = -1;
  EXPECT_FALSE(window.alive());
  EXPECT_TRUE(ProcessIdentity::self().alive());
  EXPECT_FALSE((ProcessIdentity{ProcessIdentity::self().pid, 1}.alive()));  // an id reused
}

}  // namespace
}  // namespace tw
