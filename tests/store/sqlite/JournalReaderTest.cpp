#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "store/JournalBatch.h"
#include "store/JournalReader.h"
#include "store/StoreError.h"
#include "tests/store/StoreHelpers.h"
#include "tests/store/TempFolder.h"

namespace tw {
namespace {

class JournalReaderTest : public ::testing::Test {
 protected:
  MAPIFolder journalFolder() { return app.GetNamespace("MAPI").GetDefaultFolder(olFolderJournal); }

  test::TempFolder folder;
  Application app{folder.file("store.db")};
};

JournalEntry entry(const std::string& subject, int day, std::int32_t minutes) {
  JournalEntry e;
  e.subject = subject;
  e.start = test::day(day);
  e.duration = minutes;
  e.Category = "Cat " + subject;
  e.company = "Co";
  e.entrytype = "Task";
  e.notes = "n";
  return e;
}

TEST_F(JournalReaderTest, ReadsEveryItemWithItsPropertiesInEnumerationOrder) {
  JournalBatch batch(journalFolder());
  batch.add(entry("b", 2, 30));
  batch.add(entry("a", 1, 45));
  batch.commit();
  Items journal = test::journalOf(app);
  auto saved = test::saveEntry(journal, "c", test::day(3));

  std::vector<std::shared_ptr<JournalEntry>> read;
  std::vector<std::size_t> progress;
  const std::size_t n =
      JournalReader(journalFolder())
          .read([&](std::shared_ptr<JournalEntry> e) { read.push_back(std::move(e)); },
                [&](std::size_t count) { progress.push_back(count); }, 2);
  ASSERT_EQ(n, 3u);
  EXPECT_EQ(progress, std::vector<std::size_t>{2});
  const JournalEntry& b = *read[0];
  EXPECT_EQ(std::tie(b.subject, b.start, b.duration, b.Category, b.company, b.entrytype, b.notes),
            std::make_tuple("b", test::day(2), 30, "Cat b", "Co", "Task", "n"));
  EXPECT_EQ(read[2]->item, saved->id());
  EXPECT_EQ(journal.find(read[1]->item)->Subject(), "a");
}

TEST_F(JournalReaderTest, ABatchWithoutCommitAddsNothing) {
  {
    JournalBatch batch(journalFolder());
    batch.add(entry("lost", 1, 1));
  }
  EXPECT_EQ(test::journalOf(app).Count(), 0);
  EXPECT_THROW(JournalReader(app.GetNamespace("MAPI").GetDefaultFolder(olFolderTasks)), StoreError);
}

}  // namespace
}  // namespace tw
