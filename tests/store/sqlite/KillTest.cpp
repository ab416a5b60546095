#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <set>

#include "tests/store/RawDatabase.h"
#include "tests/store/StoreHelpers.h"
#include "tests/store/TempFolder.h"

namespace tw {
namespace {

// The child saves new items and updates in a loop and reports the id of every completed
// Save through a pipe; it is killed at an arbitrary moment. Every reported Save must be in
// the store afterwards and the store must be sound.
TEST(KillTest, AProgramKilledWhileSavingLeavesEveryCompletedSave) {
  test::TempFolder folder;
  const std::string path = folder.file("store.db");
  { Application app(path); }
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(fds[0]);
    Application app(path);
    Items journal = test::journalOf(app);
    for (int i = 0;; ++i) {
      auto item = test::saveEntry(journal, "Item " + std::to_string(i), test::day(1 + i % 28));
      item->setDuration(i);
      item->Save();
      const std::int64_t id = item->id();
      if (write(fds[1], &id, sizeof id) != sizeof id) _exit(1);
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

  Application app(path);
  Items journal = test::journalOf(app);
  for (std::int64_t saved : reported) {
    auto item = journal.find(saved);
    ASSERT_NE(item, nullptr) << saved;
    EXPECT_EQ(asJournalItem(item)->Duration(), std::stoi(item->Subject().substr(5)));
  }
}

}  // namespace
}  // namespace tw
