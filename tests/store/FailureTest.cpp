#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "store/StoreError.h"
#include "tests/store/StoreHelpers.h"
#include "tests/store/TempFolder.h"

namespace tw {
namespace {

using test::day;

// Runs SQL on the file through a connection of its own, as another program would.
class RawDatabase {
 public:
  explicit RawDatabase(const std::string& path) { sqlite3_open(path.c_str(), &db_); }
  ~RawDatabase() { sqlite3_close(db_); }
  void exec(const char* sql) {
    ASSERT_EQ(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db_);
  }

 private:
  sqlite3* db_ = nullptr;
};

// The StoreError description of f, or "" when it does not throw one.
template <typename F>
std::string failureOf(F f) {
  try {
    f();
  } catch (const StoreError& e) {
    return e.description();
  }
  return "";
}

class FailureTest : public ::testing::Test {
 protected:
  void TearDown() override { Application::setBusyTimeout(3000); }
  void expectRefused(const std::string& phrase) {
    const std::string before = test::readBytes(path);
    const std::string message = failureOf([&] { Application app(path); });
    EXPECT_NE(message.find(path), std::string::npos) << message;
    EXPECT_NE(message.find(phrase), std::string::npos) << message;
    EXPECT_EQ(test::readBytes(path), before);
  }

  test::TempFolder folder;
  std::string path = folder.file("store.db");
};

TEST_F(FailureTest, MissingFoldersAreCreated) {
  const std::string deep = folder.file("a/b/tallyworks.db");
  Application app(deep);
  EXPECT_TRUE(std::filesystem::exists(deep));
}

TEST_F(FailureTest, AFileThatIsNotADatabaseIsReportedAndLeftAlone) {
  std::string garbage(8192, '\0');
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 7 + 3);
  test::writeBytes(path, garbage);
  expectRefused("not a database");
  EXPECT_FALSE(std::filesystem::exists(path + "-wal"));
}

TEST_F(FailureTest, ADatabaseOfAnotherProgramIsReportedAndLeftAlone) {
  RawDatabase(path).exec("CREATE TABLE t(x); INSERT INTO t VALUES(1);");
  expectRefused("another program");
}

TEST_F(FailureTest, AStoreOfANewerVersionIsReportedAndLeftAlone) {
  { Application app(path); }
  RawDatabase(path).exec("PRAGMA user_version = 99");
  expectRefused("newer version");
}

TEST_F(FailureTest, AFolderInPlaceOfTheFileCannotBeOpened) {
  std::filesystem::create_directory(path);
  const std::string message = failureOf([&] { Application app(path); });
  EXPECT_NE(message.find("cannot be opened"), std::string::npos) << message;
}

TEST_F(FailureTest, AStoreLockedByAnotherProgramFailsAfterTheBusyTimeout) {
  Application::setBusyTimeout(20);
  Application app(path);
  Items journal = test::journalOf(app);
  auto item = test::saveEntry(journal, "Write", day(1));
  RawDatabase other(path);
  other.exec("BEGIN IMMEDIATE; INSERT INTO tasks(subject, categories, status) VALUES('x','',0);");
  const std::string message = failureOf([&] { item->Save(); });
  EXPECT_NE(message.find("locked by another program"), std::string::npos) << message;
  EXPECT_NE(message.find(path), std::string::npos) << message;
  // Readers are not held up by the writer.
  EXPECT_EQ(test::journalOf(app).Count(), 1);
  other.exec("COMMIT");
  item->setBody("after");
  item->Save();
  EXPECT_EQ(test::tasksOf(app).Count(), 1);
}

TEST_F(FailureTest, TwoConnectionsWorkOnOneStoreAtOnce) {
  Application first(path);
  Application second(path);
  Items a = test::journalOf(first);
  Items b = test::journalOf(second);
  auto fromA = test::saveEntry(a, "A", day(1));
  auto fromB = test::saveEntry(b, "B", day(2));
  fromA->setBody("changed by A");
  fromA->Save();
  EXPECT_EQ(a.Count(), 2);
  EXPECT_EQ(b.Count(), 2);
  EXPECT_EQ(asJournalItem(b.find(fromA->id()))->Body(), "changed by A");
  EXPECT_NE(fromA->id(), fromB->id());
}

TEST_F(FailureTest, ItemsStayUsableAfterTheirApplicationIsGone) {
  std::shared_ptr<JournalItem> kept;
  {
    Application app(path);
    Items journal = test::journalOf(app);
    kept = test::saveEntry(journal, "Kept", day(1));
  }
  kept->setBody("saved later");
  kept->Save();
  Application app(path);
  EXPECT_EQ(asJournalItem(test::journalOf(app).Item(1))->Body(), "saved later");
}

TEST_F(FailureTest, SaveFailsWhenTheFileWasRemovedAndDoesNotRecreateIt) {
  Application app(path);
  Items journal = test::journalOf(app);
  auto item = test::saveEntry(journal, "Write", day(1));
  for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path + suffix);
  const std::string message = failureOf([&] { item->Save(); });
  EXPECT_NE(message.find("no longer exists"), std::string::npos) << message;
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_NE(failureOf([&] { journal.Count(); }), "");
}

TEST_F(FailureTest, SaveFailsWhenAnotherProgramRemovedTheItem) {
  Application app(path);
  Items journal = test::journalOf(app);
  auto item = test::saveEntry(journal, "Write", day(1));
  RawDatabase(path).exec("DELETE FROM journal");
  const std::string message = failureOf([&] { item->Save(); });
  EXPECT_NE(message.find("no longer in the store"), std::string::npos) << message;
  EXPECT_EQ(journal.Count(), 0);
}

TEST_F(FailureTest, AnItemDoesNotFollowItsFileWhenAFreshStoreTakesItsPlace) {
  Application app(path);
  Items journal = test::journalOf(app);
  auto item = test::saveEntry(journal, "Write", day(1));
  for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path + suffix);
  Application fresh(path);
  const std::string message = failureOf([&] { item->Save(); });
  EXPECT_NE(message.find("replaced"), std::string::npos) << message;
  EXPECT_EQ(test::journalOf(fresh).Count(), 0);
}

TEST_F(FailureTest, AFileThatReplacedTheStoreIsNeverWrittenNorReadThroughTheOldLog) {
  Application app(path);
  Items journal = test::journalOf(app);
  auto item = test::saveEntry(journal, "Write", day(1));
  const std::string garbage(4096, 'x');
  test::writeBytes(folder.file("other"), garbage);
  std::filesystem::rename(folder.file("other"), path);
  const std::string message = failureOf([&] { item->Save(); });
  EXPECT_NE(message.find("replaced"), std::string::npos) << message;
  // The log of the old file still lies beside the new one.
  const std::string opening = failureOf([&] { Application again(path); });
  EXPECT_NE(opening.find("not a database"), std::string::npos) << opening;
  EXPECT_EQ(test::readBytes(path), garbage);
}

TEST_F(FailureTest, UnreadableAndReadOnlyFilesAreReported) {
  if (geteuid() == 0) GTEST_SKIP() << "file permissions do not bind the superuser";
  Application app(path);
  Items journal = test::journalOf(app);
  auto item = test::saveEntry(journal, "Write", day(1));
  chmod(path.c_str(), 0444);
  EXPECT_NE(failureOf([&] { item->Save(); }).find("read-only"), std::string::npos);
  chmod(path.c_str(), 0);
  EXPECT_NE(failureOf([&] { item->Save(); }).find("permission denied"), std::string::npos);
  EXPECT_NE(failureOf([&] { Application again(path); }).find("permission denied"),
            std::string::npos);
  chmod(path.c_str(), 0644);
  item->Save();
}

}  // namespace
}  // namespace tw
