#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "StoreFixture.h"
#include "store/StoreError.h"
#include "tests/support/OrdinaryUser.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

mode_t modeOf(const std::string& file) {
  struct stat st {};
  ::stat(file.c_str(), &st);
  return st.st_mode & 07777;
}

using StoreFileTest = test::StoreFixture;

// A billing journal is private: new files are 0600, folders made for them 0700.
TEST_F(StoreFileTest, NewStoresArePrivateToTheUser) {
  const std::string deep = folder.file("a/b/tallyworks.db");
  SqliteJournalStore store(deep);
  store.addEntry(entry("x", day(4)));
  EXPECT_EQ(modeOf(deep), 0600u);
  EXPECT_EQ(modeOf(deep + "-wal"), 0600u);
  EXPECT_EQ(modeOf(folder.file("a")), 0700u);
  EXPECT_EQ(modeOf(folder.file("a/b")), 0700u);
}

// Opening fails with a message naming the file and the cause, and leaves the file as it was.
TEST_F(StoreFileTest, FilesThatAreNoStoreOfOursAreReportedAndLeftAlone) {
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
         open();
         test::RawDatabase(path).exec("PRAGMA user_version = 99");
       }},
      {"it is a folder, not a store file", [&] { fs::create_directory(path); }},
      {"it is a device or a pipe, not a store file", [&] { ::mkfifo(path.c_str(), 0600); }},
  };
  for (const auto& c : cases) {
    fs::remove_all(path);
    c.prepare();
    const auto bytes = [&] {
      return fs::is_regular_file(path) ? test::readBytes(path) : "not a file";
    };
    const std::string before = bytes();
    const std::string message = failureOf([&] { open(); });
    EXPECT_TRUE(test::has(message, path)) << message;
    EXPECT_TRUE(test::has(message, c.cause)) << message;
    EXPECT_EQ(bytes(), before) << c.cause;
    EXPECT_FALSE(fs::exists(path + "-wal")) << c.cause;
  }
}

TEST_F(StoreFileTest, AStoreLockedByAnotherProgramFailsAfterTheBusyTimeout) {
  auto store = open(Database::Mode::Create, 20);
  store->addEntry(entry("Write", day(1)));
  test::RawDatabase other(path);
  other.exec("BEGIN IMMEDIATE; UPDATE journal SET body = 'x';");
  EXPECT_TRUE(
      fails([&] { store->addEntry(entry("Blocked", day(2))); }, "locked by another program"));
  EXPECT_EQ(store->entry(1)->body, "");  // readers are not held up by the writer
  other.exec("COMMIT");
  store->addEntry(entry("Later", day(2)));
}

TEST_F(StoreFileTest, AFileRemovedOrReplacedUnderAnOpenStoreIsNeverWritten) {
  auto store = open();
  store->addEntry(entry("Write", day(1)));
  for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(path + suffix);
  EXPECT_TRUE(fails([&] { store->addEntry(entry("Lost", day(2))); }, "no longer exists"));
  EXPECT_FALSE(fs::exists(path));

  auto fresh = open();
  EXPECT_TRUE(fails([&] { store->addEntry(entry("Lost", day(2))); }, "replaced"));
  EXPECT_FALSE(fresh->entry(1));

  // A file that is no store put in its place is neither written nor read through the old log.
  const std::string garbage(4096, 'x');
  test::writeBytes(folder.file("other"), garbage);
  fs::rename(folder.file("other"), path);
  EXPECT_TRUE(fails([&] { fresh->entry(1); }, "replaced"));
  EXPECT_TRUE(fails([&] { open(); }, "not a database"));
  EXPECT_EQ(test::readBytes(path), garbage);
}

// A store on a file system mounted read-only is read, and a write says why it cannot be made
// (a small file system of its own, which needs root to mount).
TEST_F(StoreFileTest, AReadOnlyFileSystemIsNamedAsTheCause) {
  const std::string mounted = folder.file("mounted");
  fs::create_directory(mounted);
  if (::mount("tmpfs", mounted.c_str(), "tmpfs", 0, "size=1m") != 0)
    GTEST_SKIP() << "no file system can be mounted here (needs root)";
  path = mounted + "/store.db";
  open()->addEntry(entry("Write", day(1)));
  ASSERT_EQ(::mount(nullptr, mounted.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
  EXPECT_EQ(open(Database::Mode::ReadOnly)->entry(1)->subject, "Write");
  EXPECT_TRUE(fails([&] { open(); }, "it is on a read-only file system"));
  ::umount(mounted.c_str());
}

// Commands that only read work on a store the user may read but not write, leave no -wal or
// -shm behind, and say whether the file or its folder is missing.
TEST_F(StoreFileTest, ReadingOnlyNeedsNoWriteAccessAndLeavesNothingBehind) {
  EXPECT_TRUE(fails([&] { open(Database::Mode::ReadOnly); }, "the file does not exist"));
  path = folder.file("missing/store.db");
  EXPECT_TRUE(fails([&] { open(Database::Mode::ReadOnly); }, "its folder does not exist"));
  path = folder.file("store.db");
  open()->addEntry(entry("Kept", day(1)));
  ASSERT_FALSE(fs::exists(path + "-wal"));
  EXPECT_EQ(asReader([&] {
              auto reader = open(Database::Mode::ReadOnly);
              test::require(reader->entry(1)->subject == "Kept", "not read");
              test::require(fails([&] { reader->addEntry(entry("No", day(2))); }, "read-only"),
                            "written");
              test::require(fails([&] { open(); }, path), "opened for writing");
            }),
            "");
  EXPECT_FALSE(fs::exists(path + "-wal"));
  EXPECT_FALSE(fs::exists(path + "-shm"));
  chmod(path.c_str(), 0);
  EXPECT_TRUE(test::has(test::asOrdinaryUser([&] { open(Database::Mode::ReadOnly); }),
                        "permission denied"));
}

// Another user who may read the store but not write it, in a folder everyone may write (as
// /tmp): opening for writing is refused before SQLite makes -wal and -shm files of theirs, which
// the owner could then neither write nor remove.
TEST_F(StoreFileTest, OpeningForWritingWithoutWriteAccessLeavesNothingBehind) {
  open()->addEntry(entry("Kept", day(1)));
  chmod(path.c_str(), 0644);
  chmod(folder.path().c_str(), 01777);
  EXPECT_EQ(test::asOrdinaryUser([&] {
              test::require(fails([&] { open(); }, "read-only"), "opened for writing");
              test::require(!fs::exists(path + "-wal") && !fs::exists(path + "-shm"),
                            "left a -wal or -shm file");
              test::require(open(Database::Mode::ReadOnly)->entry(1)->subject == "Kept",
                            "not read");
            }),
            "");
  chmod(folder.path().c_str(), 0700);
  EXPECT_FALSE(fs::exists(path + "-wal"));
  EXPECT_FALSE(fs::exists(path + "-shm"));
  open()->addEntry(entry("Written", day(2)));
}

TEST_F(StoreFileTest, BackupIsACheckedCopyThatNeverReplacesTheStore) {
  auto store = open();
  for (int i = 0; i < 50; ++i) store->addEntry(entry("Entry " + std::to_string(i), day(4), i));
  const std::string copy = folder.file("backup.db");
  test::writeBytes(copy, "old backup");
  store->backup(copy);
  EXPECT_EQ(store->check(), "ok");
  {
    SqliteJournalStore restored(copy);
    EXPECT_EQ(restored.entry(50)->subject, "Entry 49");
    EXPECT_EQ(restored.check(), "ok");
  }
  for (const char* suffix : {"", "-wal", "-shm"}) {
    const std::string own = path + suffix;
    const std::string before = test::readBytes(own);
    EXPECT_TRUE(fails([&] { store->backup(own); }, "the store itself")) << suffix;
    EXPECT_EQ(test::readBytes(own), before) << suffix;
  }
  EXPECT_NE(failureOf([&] { store->backup(folder.file("no/such/folder/copy.db")); }), "");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 4);
}

TEST_F(StoreFileTest, CheckNamesWhatIsDamaged) {
  {
    auto store = open();
    for (int i = 0; i < 20; ++i) store->addEntry(entry("A", day(4), i));
    EXPECT_EQ(store->check(), "ok");
  }
  // The start index is pointed at the tasks' pages.
  test::RawDatabase raw(path);
  raw.exec("PRAGMA writable_schema = ON");
  raw.exec(
      "UPDATE sqlite_master SET rootpage = (SELECT rootpage FROM sqlite_master"
      " WHERE name = 'tasks') WHERE name = 'journal_by_start'");
  EXPECT_NE(open()->check(), "ok");
}

}  // namespace
}  // namespace tw
