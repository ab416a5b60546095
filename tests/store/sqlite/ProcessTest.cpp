#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <set>

#include "StoreFixture.h"

namespace tw {
namespace {

class ProcessTest : public test::StoreFixture {
 protected:
  // Runs this test program as another process that writes to the store and exits; returns
  // its exit status.
  int otherProcess() const {
    const pid_t child = fork();
    if (child == 0) {
      execl("/proc/self/exe", "tw_store_tests", "--other-process", path.c_str(), nullptr);
      _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

// The child saves entries in a loop and reports each completed save through a pipe; it is
// killed at an arbitrary moment. Every reported save is in the store, and the store is sound.
TEST_F(ProcessTest, AProcessKilledWhileSavingLeavesEveryCompletedSave) {
  open();
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(fds[0]);
    auto store = open();
    for (int i = 0;; ++i) {
      JournalEntry e = store->addEntry(entry("Entry", day(1 + i % 28), i));
      e.seconds = 60 * i;
      store->updateEntry(e);
      if (write(fds[1], &e.id, sizeof e.id) != sizeof e.id) _exit(1);
    }
  }
  close(fds[1]);
  std::set<std::int64_t> reported;
  std::int64_t id = 0;
  while (reported.size() < 200 && read(fds[0], &id, sizeof id) == sizeof id) reported.insert(id);
  kill(child, SIGKILL);
  while (read(fds[0], &id, sizeof id) == sizeof id) reported.insert(id);
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  ASSERT_GE(reported.size(), 200u);
  EXPECT_EQ(test::RawDatabase(path).text("PRAGMA integrity_check"), "ok");
  auto store = open();
  for (const std::int64_t saved : reported) {
    const std::optional<JournalEntry> e = store->entry(saved);
    ASSERT_TRUE(e) << saved;
    EXPECT_EQ(e->seconds, 60 * (saved - 1)) << saved;
  }
}

// A process holding a connection opens a second one to the same file, as the window does for a
// report, while another process uses the store and exits. Opening the second connection must
// not drop this process's locks: the other process would then take itself for the last user
// and delete the write-ahead log under the first connection.
TEST_F(ProcessTest, AnotherProcessLeavingNeverTakesTheLogFromUnderUs) {
  auto holder = open();
  holder->addEntry(entry("Before", day(4), 60));
  for (int round = 0; round < 3; ++round) {
    { auto second = open(Database::Mode::ReadOnly); }
    ASSERT_EQ(otherProcess(), 0);
    ASSERT_TRUE(std::filesystem::exists(path + "-wal") && std::filesystem::exists(path + "-shm"))
        << "round " << round;
    JournalEntry e = holder->addEntry(entry("After", day(6), 120));
    e.seconds = 180;
    holder->updateEntry(e);
    EXPECT_EQ(holder->entry(e.id)->seconds, 180);
  }
  EXPECT_EQ(holder->check(), "ok");
  holder.reset();
  EXPECT_EQ(test::RawDatabase(path).text("SELECT count(*) FROM journal"), "7");
}

}  // namespace
}  // namespace tw
