#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "store/StoreError.h"
#include "tests/store/RawDatabase.h"
#include "tests/store/StoreHelpers.h"
#include "tests/store/TempFolder.h"

namespace tw {
namespace {

using test::day;

// The StoreError description of f, or "" when it does not throw one.
std::string failureOf(const std::function<void()>& f) {
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

  // Opens the store and saves one journal item in it.
  void openWithItem() {
    app = std::make_unique<Application>(path);
    journal = std::make_unique<Items>(test::journalOf(*app));
    item = test::saveEntry(*journal, "Write", day(1));
  }
  void removeStoreFiles() {
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path + suffix);
  }
  std::string saveFailure() {
    return failureOf([&] { item->Save(); });
  }

  test::TempFolder folder;
  std::string path = folder.file("store.db");
  std::unique_ptr<Application> app;
  std::unique_ptr<Items> journal;
  std::shared_ptr<JournalItem> item;
};

TEST_F(FailureTest, MissingFoldersAreCreated) {
  const std::string deep = folder.file("a/b/tallyworks.db");
  Application app(deep);
  EXPECT_TRUE(std::filesystem::exists(deep));
}

// Opening fails with a message naming the file and the cause, and leaves the file as it was.
TEST_F(FailureTest, FilesThatAreNoStoreOfOursAreReportedAndLeftAlone) {
  const struct {
    const char* cause;
    std::function<void()> prepare;
  } cases[] = {
      {"not a database",
       [&] {
         std::string garbage(8192, '\0');
         for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 7 + 3);
         test::writeBytes(path, garbage);
       }},
      {"another program",
       [&] { test::RawDatabase(path).exec("CREATE TABLE t(x); INSERT INTO t VALUES(1);"); }},
      {"newer version",
       [&] {
         { Application app(path); }
         test::RawDatabase(path).exec("PRAGMA user_version = 99");
       }},
      {"cannot be opened", [&] { std::filesystem::create_directory(path); }},
  };
  for (const auto& c : cases) {
    std::filesystem::remove_all(path);
    c.prepare();
    const auto bytes = [&] {
      return std::filesystem::is_directory(path) ? "a folder" : test::readBytes(path);
    };
    const std::string before = bytes();
    const std::string message = failureOf([&] { Application app(path); });
    EXPECT_NE(message.find(path), std::string::npos) << message;
    EXPECT_NE(message.find(c.cause), std::string::npos) << message;
    EXPECT_EQ(bytes(), before) << c.cause;
    EXPECT_FALSE(std::filesystem::exists(path + "-wal")) << c.cause;
  }
}

TEST_F(FailureTest, AStoreLockedByAnotherProgramFailsAfterTheBusyTimeout) {
  Application::setBusyTimeout(20);
  openWithItem();
  test::RawDatabase other(path);
  other.exec("BEGIN IMMEDIATE; INSERT INTO tasks(subject, categories, status) VALUES('x','',0);");
  const std::string message = saveFailure();
  EXPECT_NE(message.find("locked by another program"), std::string::npos) << message;
  EXPECT_NE(message.find(path), std::string::npos) << message;
  EXPECT_EQ(journal->Count(), 1);  // readers are not held up by the writer
  other.exec("COMMIT");
  item->setBody("after");
  item->Save();
  EXPECT_EQ(test::tasksOf(*app).Count(), 1);
}

TEST_F(FailureTest, TwoConnectionsWorkOnOneStoreAtOnce) {
  openWithItem();
  Application second(path);
  Items other = test::journalOf(second);
  auto fromOther = test::saveEntry(other, "B", day(2));
  item->setBody("changed by the first");
  item->Save();
  EXPECT_EQ(journal->Count(), 2);
  EXPECT_EQ(other.Count(), 2);
  EXPECT_EQ(asJournalItem(other.find(item->id()))->Body(), "changed by the first");
  EXPECT_NE(item->id(), fromOther->id());
}

TEST_F(FailureTest, ItemsStayUsableAfterTheirApplicationIsGone) {
  openWithItem();
  journal.reset();
  app.reset();
  item->setBody("saved later");
  item->Save();
  Application again(path);
  EXPECT_EQ(asJournalItem(test::journalOf(again).Item(1))->Body(), "saved later");
}

TEST_F(FailureTest, SaveFailsWhenTheFileWasRemovedAndDoesNotRecreateIt) {
  openWithItem();
  removeStoreFiles();
  EXPECT_NE(saveFailure().find("no longer exists"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_NE(failureOf([&] { journal->Count(); }), "");
}

TEST_F(FailureTest, SaveFailsWhenAnotherProgramRemovedTheItem) {
  openWithItem();
  test::RawDatabase(path).exec("DELETE FROM journal");
  EXPECT_NE(saveFailure().find("no longer in the store"), std::string::npos);
  EXPECT_EQ(journal->Count(), 0);
}

TEST_F(FailureTest, AnItemDoesNotFollowItsFileWhenAnotherTakesItsPlace) {
  openWithItem();
  removeStoreFiles();
  {
    Application fresh(path);
    EXPECT_NE(saveFailure().find("replaced"), std::string::npos);
    EXPECT_EQ(test::journalOf(fresh).Count(), 0);
  }

  // A file that is no store is neither written nor read through the old log beside it.
  openWithItem();
  const std::string garbage(4096, 'x');
  test::writeBytes(folder.file("other"), garbage);
  std::filesystem::rename(folder.file("other"), path);
  EXPECT_NE(saveFailure().find("replaced"), std::string::npos);
  EXPECT_NE(failureOf([&] { Application again(path); }).find("not a database"), std::string::npos);
  EXPECT_EQ(test::readBytes(path), garbage);
}

TEST_F(FailureTest, UnreadableAndReadOnlyFilesAreReported) {
  if (geteuid() == 0) GTEST_SKIP() << "file permissions do not bind the superuser";
  openWithItem();
  chmod(path.c_str(), 0444);
  EXPECT_NE(saveFailure().find("read-only"), std::string::npos);
  chmod(path.c_str(), 0);
  EXPECT_NE(saveFailure().find("permission denied"), std::string::npos);
  EXPECT_NE(failureOf([&] { Application again(path); }).find("permission denied"),
            std::string::npos);
  chmod(path.c_str(), 0644);
  item->Save();
}

}  // namespace
}  // namespace tw
