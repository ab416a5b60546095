// A store found damaged: refused for writing by every program until it is sound or replaced,
// and what can still be read of it saved into a new store, the damaged file left as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "StoreFixture.h"
#include "store/StoreError.h"
#include "store/sqlite/SqliteSyncState.h"
#include "store/sqlite/StoreRecovery.h"

namespace tw::test {
namespace {

namespace fs = std::filesystem;

class DamageTest : public StoreFixture {
 protected:
  // 3,000 entries of 200-byte notes (about 200 pages), 2 tasks, and the synchronisation's rows
  // of every entry.
  void SetUp() override {
    auto store = open();
    SqliteSyncState sync(*store);
    store->transact([&] {
      store->addTask(Task{0, "", "Write", "Docs", TaskStatus::NotStarted, 0});
      store->addTask(Task{0, "", "Read", "", TaskStatus::Complete, 0});
      for (int i = 0; i < 3000; ++i) {
        JournalEntry e = entry("S" + std::to_string(i), day(1).addSeconds(i * 60), 60);
        e.body = std::string(200, 'x');
        e = store->addEntry(e);
        originals[e.uid] = e;
        sync.putItem({SyncState::Kind::Entry, e.uid, "/e/" + e.uid, "etag", "ICS", 7});
      }
      sync.putCollection(SyncState::Kind::Entry, {"https://x/", "https://x/", "token", ""});
    });
  }
  // Overwrites a page of the file with what no b-tree page holds.
  void damagePage(const std::string& file, long page) const {
    std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(4096L * (page - 1));
    f << '\x0d' << std::string(3000, '\xff');
  }
  // A leaf page of the journal table from the middle of the file: its rows' notes show.
  long journalPage() const {
    const std::string bytes = readBytes(path);
    std::vector<long> leaves;
    for (std::size_t at = 4096; at + 4096 <= bytes.size(); at += 4096)
      if (bytes[at] == '\x0d' &&
          bytes.substr(at, 4096).find(std::string(200, 'x')) != std::string::npos)
        leaves.push_back(static_cast<long>(at / 4096) + 1);
    return leaves.at(leaves.size() / 2);
  }

  std::map<std::string, JournalEntry> originals;
};

TEST_F(DamageTest, AStoreFoundDamagedIsRefusedForWritingUntilSoundOrReplaced) {
  fs::copy_file(path, folder.file("sound.db"));
  damagePage(path, journalPage());
  {
    auto store = open();  // the damage is not found yet: nothing has read that page
    EXPECT_NE(store->check(), "ok");
    EXPECT_TRUE(fails([&] { store->addTask(Task{0, "", "X", "", {}, 0}); }, "it is damaged"));
  }
  EXPECT_TRUE(fails([&] { open(); }, "recover NEW-FILE` saves what can still be read"));
  auto reader = open(Database::Mode::ReadOnly);
  EXPECT_EQ(reader->tasks().size(), 2u);
  EXPECT_TRUE(fails([&] { reader->addTask(Task{0, "", "X", "", {}, 0}); }, "damaged"));
  reader.reset();

  // A store put in its place (a recovered one) is written again.
  fs::rename(folder.file("sound.db"), path);
  EXPECT_EQ(failureOf([&] { open()->addTask(Task{0, "", "X", "", {}, 0}); }), "");
  EXPECT_FALSE(fs::exists(path + "-damaged"));
}

TEST_F(DamageTest, DamageFoundByAnyReadIsNotedUntilACheckFindsTheFileSound) {
  const std::string sound = readBytes(path);
  damagePage(path, journalPage());
  auto store = open();
  EXPECT_TRUE(
      fails([&] { store->visitAll([](const JournalEntry&) { return true; }); }, "it is damaged"));
  EXPECT_TRUE(fails([&] { store->addEntry(entry("Lost", day(2))); }, "damaged"));
  store.reset();
  EXPECT_TRUE(fails([&] { open(); }, "damaged"));
  // Mended in place (the same file): a check that finds it sound lifts the note.
  std::ofstream(path, std::ios::binary | std::ios::in) << sound;
  EXPECT_EQ(open(Database::Mode::ReadOnly)->check(), "ok");
  EXPECT_EQ(failureOf([&] { open()->addEntry(entry("Written", day(2))); }), "");
}

TEST_F(DamageTest, RecoverySavesTheReadableRowsIntoANewCheckedStore) {
  damagePage(path, journalPage());
  const std::string damagedBytes = readBytes(path);
  const std::string target = folder.file("recovered.db");
  const std::string summary = StoreRecovery::run(path, target);
  EXPECT_TRUE(test::has(summary, "of 3,000 journal entries and 2 of 2 tasks")) << summary;
  EXPECT_EQ(readBytes(path), damagedBytes);
  path = target;
  auto store = open();
  EXPECT_EQ(store->check(), "ok");
  std::size_t saved = 0;
  store->visitAll([&](const JournalEntry& e) {
    const JournalEntry& was = originals.at(e.uid);
    EXPECT_EQ(e.subject, was.subject);
    EXPECT_EQ(e.start, was.start);
    EXPECT_EQ(e.body, was.body);
    ++saved;
    return true;
  });
  // One page of about 15 entries is lost, no more.
  EXPECT_GT(saved, 2950u);
  EXPECT_LT(saved, 3000u);
  SqliteSyncState sync(*store);
  // What was lost comes back from the server at the next synchronisation, in full.
  EXPECT_EQ(sync.items(SyncState::Kind::Entry).size(), saved);
  EXPECT_EQ(sync.collection(SyncState::Kind::Entry).syncToken, "");
  EXPECT_EQ(store->tasks().size(), 2u);
}

TEST_F(DamageTest, ARecoveryThatCannotReadAnythingSaysSoAndWritesNothing) {
  const std::string target = folder.file("recovered.db");
  EXPECT_TRUE(fails(
      [&] {
        auto store = open(Database::Mode::ReadOnly);
        StoreRecovery::run(path, target);
      },
      "it is open in this program"));
  damagePage(path, 1);
  EXPECT_TRUE(fails([&] { StoreRecovery::run(path, target); }, "nothing in it can be read"));
  EXPECT_FALSE(fs::exists(target));
}

}  // namespace
}  // namespace tw::test
