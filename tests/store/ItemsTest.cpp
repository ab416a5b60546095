#include <gtest/gtest.h>

#include <vector>

#include "model/ManualClock.h"
#include "store/Attachments.h"
#include "store/StoreError.h"
#include "tests/store/StoreHelpers.h"
#include "tests/store/TempFolder.h"

namespace tw {
namespace {

using test::day;
using test::saveEntry;
using test::saveTask;

class ItemsTest : public ::testing::Test {
 protected:
  test::TempFolder folder;
  std::string path = folder.file("store.db");
};

std::vector<std::string> subjectsByIndex(const Items& items) {
  std::vector<std::string> out;
  for (long i = 1; i <= items.Count(); ++i) out.push_back(items.Item(i)->Subject());
  return out;
}

std::vector<std::string> subjectsByEnumeration(const Items& items) {
  std::vector<std::string> out;
  items.forEach([&](const std::shared_ptr<StoreItem>& item) {
    out.push_back(item->Subject());
    return true;
  });
  return out;
}

TEST_F(ItemsTest, NewItemJoinsFolderOnlyAtItsFirstSaveAndLaterSavesUpdateInPlace) {
  Application app(path);
  Items journal = test::journalOf(app);
  auto item = asJournalItem(journal.Add(olJournalItem));
  item->setSubject("Draft");
  EXPECT_EQ(journal.Count(), 0);
  EXPECT_EQ(item->id(), 0);
  item->Save();
  EXPECT_EQ(journal.Count(), 1);
  EXPECT_NE(item->id(), 0);
  item->setSubject("Final");
  item->setBody("notes");
  item->Save();
  EXPECT_EQ(journal.Count(), 1);
  auto stored = asJournalItem(test::journalOf(app).Item(1));
  EXPECT_EQ(stored->Subject(), "Final");
  EXPECT_EQ(stored->Body(), "notes");
  EXPECT_EQ(stored->id(), item->id());
}

TEST_F(ItemsTest, EnumerationKeepsInsertionOrderAndSortIsStableBothWays) {
  Application app(path);
  Items journal = test::journalOf(app);
  saveEntry(journal, "c", day(3));
  saveEntry(journal, "a1", day(1));
  saveEntry(journal, "b", day(2));
  saveEntry(journal, "a2", day(1));
  saveEntry(journal, "c2", day(3));

  EXPECT_EQ(subjectsByEnumeration(journal), (std::vector<std::string>{"c", "a1", "b", "a2", "c2"}));
  EXPECT_EQ(subjectsByIndex(journal), (std::vector<std::string>{"c", "a1", "b", "a2", "c2"}));
  journal.Sort("[start]");
  EXPECT_EQ(subjectsByIndex(journal), (std::vector<std::string>{"a1", "a2", "b", "c", "c2"}));
  journal.Sort("[Start]", true);
  EXPECT_EQ(subjectsByIndex(journal), (std::vector<std::string>{"c", "c2", "b", "a1", "a2"}));
  // Enumeration ignores the sort.
  EXPECT_EQ(subjectsByEnumeration(journal).front(), "c");
  EXPECT_THROW(journal.Sort("[Subject]"), StoreError);
}

TEST_F(ItemsTest, ItemCountsFromOneAndRejectsIndexesOutsideTheFolder) {
  Application app(path);
  Items journal = test::journalOf(app);
  saveEntry(journal, "only", day(1));
  EXPECT_EQ(journal.Item(1)->Subject(), "only");
  EXPECT_THROW(journal.Item(0), StoreError);
  EXPECT_THROW(journal.Item(2), StoreError);
  EXPECT_THROW(journal.Item(-1), StoreError);
}

TEST_F(ItemsTest, LongWalksAcrossPagesAndJumpsAgreeWithTheSortOrder) {
  Application app(path);
  Items journal = test::journalOf(app);
  // Many equal starts so that ties cross page boundaries.
  for (int i = 0; i < 700; ++i) saveEntry(journal, std::to_string(i), day(1 + i % 7));
  std::vector<std::string> expected;
  for (int d = 7; d >= 1; --d)
    for (int i = 0; i < 700; ++i)
      if (1 + i % 7 == d) expected.push_back(std::to_string(i));
  journal.Sort("[Start]", true);
  EXPECT_EQ(subjectsByIndex(journal), expected);
  EXPECT_EQ(journal.Item(350)->Subject(), expected[349]);
  EXPECT_EQ(journal.Item(3)->Subject(), expected[2]);
  EXPECT_EQ(journal.Item(700)->Subject(), expected[699]);

  std::vector<std::string> ascending(expected.size());
  journal.Sort("[Start]", false);
  for (long i = 1; i <= 700; ++i)
    ascending[static_cast<std::size_t>(i - 1)] = journal.Item(i)->Subject();
  EXPECT_EQ(ascending.front(), "0");
  EXPECT_EQ(ascending.back(), "699");
  EXPECT_EQ(subjectsByEnumeration(journal).size(), 700u);
}

TEST_F(ItemsTest, RestrictSelectsByTypeOrSubjectAndKeepsTheSort) {
  Application app(path);
  Items journal = test::journalOf(app);
  saveEntry(journal, "Start Work", day(1), "TWEvent");
  saveEntry(journal, "Write", day(2));
  saveEntry(journal, "Stop Work", day(3), "TWEvent");
  saveEntry(journal, "it's", day(4));
  journal.Sort("[Start]", true);
  Items markers = journal.Restrict("[Type] = 'TWEvent'");
  ASSERT_EQ(markers.Count(), 2);
  EXPECT_EQ(markers.Item(1)->Subject(), "Stop Work");
  EXPECT_EQ(journal.Restrict("[subject]='it''s'").Count(), 1);
  EXPECT_EQ(journal.Restrict("[Type] = 'twevent'").Count(), 0);
  EXPECT_THROW(journal.Restrict("[Body] = 'x'"), StoreError);
  EXPECT_THROW(journal.Restrict("Type = TWEvent"), StoreError);
  EXPECT_THROW(markers.Restrict("[Subject] = 'Stop Work'"), StoreError);
}

TEST_F(ItemsTest, FindResolvesAnIdOrAnswersNothing) {
  Application app(path);
  Items journal = test::journalOf(app);
  auto saved = saveEntry(journal, "x", day(1));
  ASSERT_NE(journal.find(saved->id()), nullptr);
  EXPECT_EQ(journal.find(saved->id())->Subject(), "x");
  EXPECT_EQ(journal.find(saved->id() + 100), nullptr);
  EXPECT_EQ(journal.Restrict("[Type] = 'TWEvent'").find(saved->id()), nullptr);
}

TEST_F(ItemsTest, TasksKeepTheirStatusAndJournalItemsTheirAttachments) {
  std::int64_t entryId = 0;
  {
    Application app(path);
    Items tasks = test::tasksOf(app);
    auto open = saveTask(tasks, "Write", olTaskInProgress);
    saveTask(tasks, "Done", olTaskComplete);
    EXPECT_THROW(open->setStatus(5), StoreError);
    Items journal = test::journalOf(app);
    auto entry = asJournalItem(journal.Add(olJournalItem));
    entry->setSubject("Write");
    auto unsaved = asTaskItem(tasks.Add(olTaskItem));
    EXPECT_THROW(entry->Attachments().Add(unsaved, olEmbeddedTask), StoreError);
    EXPECT_THROW(entry->Attachments().Add(open, 1), StoreError);
    entry->Attachments().Add(open, olEmbeddedTask);
    entry->Save();
    entryId = entry->id();
    EXPECT_THROW(asTaskItem(journal.Item(1)), StoreError);
    EXPECT_THROW(asJournalItem(tasks.Item(1)), StoreError);
  }
  Application app(path);
  Items tasks = test::tasksOf(app);
  ASSERT_EQ(tasks.Count(), 2);
  EXPECT_EQ(asTaskItem(tasks.Item(1))->Status(), olTaskInProgress);
  EXPECT_EQ(asTaskItem(tasks.Item(2))->Status(), olTaskComplete);
  auto entry = asJournalItem(test::journalOf(app).find(entryId));
  // A save that never looked at the attachments keeps them.
  entry->setBody("more");
  entry->Save();
  ASSERT_EQ(entry->Attachments().Count(), 1);
  EXPECT_EQ(entry->Attachments().Item(1)->Subject(), "Write");
  auto reread = asJournalItem(test::journalOf(app).find(entryId));
  EXPECT_EQ(reread->Attachments().Count(), 1);
}

TEST_F(ItemsTest, EveryPropertySurvivesReopening) {
  {
    Application app(path);
    Items journal = test::journalOf(app);
    auto item = asJournalItem(journal.Add(olJournalItem));
    item->setSubject("Ünïcode \"quoted\"");
    item->setCategories("Design, Admin");
    item->setType("PJ_Task");
    item->setStart(DateTime::fromParts(2003, 1, 5, 13, 4, 5));
    item->setDuration(135);
    item->setCompanies("Acme");
    item->setBody("line 1\r\nline 2");
    item->Save();
  }
  Application app(path);
  auto item = asJournalItem(test::journalOf(app).Item(1));
  EXPECT_EQ(item->Subject(), "Ünïcode \"quoted\"");
  EXPECT_EQ(item->Categories(), "Design, Admin");
  EXPECT_EQ(item->Type(), "PJ_Task");
  EXPECT_EQ(item->Start(), DateTime::fromParts(2003, 1, 5, 13, 4, 5));
  EXPECT_EQ(item->Duration(), 135);
  EXPECT_EQ(item->Companies(), "Acme");
  EXPECT_EQ(item->Body(), "line 1\r\nline 2");
}

TEST_F(ItemsTest, NamespaceAndFoldersAcceptOnlyWhatTheStoreHas) {
  Application app(path);
  EXPECT_THROW(app.GetNamespace("XYZ"), StoreError);
  NameSpace ns = app.GetNamespace("MAPI");
  EXPECT_THROW(ns.GetDefaultFolder(6), StoreError);
  Items journal = ns.GetDefaultFolder(olFolderJournal).Items();
  EXPECT_THROW(journal.Add(olTaskItem), StoreError);
  EXPECT_THROW(test::tasksOf(app).Add(olJournalItem), StoreError);
}

TEST_F(ItemsTest, NewJournalItemStartsNow) {
  ManualClock clock(DateTime::fromParts(2024, 5, 6, 7, 8, 9));
  Application app(path);
  Items journal = test::journalOf(app);
  EXPECT_EQ(asJournalItem(journal.Add(olJournalItem))->Start(), clock.now());
}

}  // namespace
}  // namespace tw
