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
using Subjects = std::vector<std::string>;

class ItemsTest : public ::testing::Test {
 protected:
  // Reopens the store, as a later run of the program would.
  void reopen() {
    journal.reset();
    app.reset();
    app = std::make_unique<Application>(path);
    journal = std::make_unique<Items>(test::journalOf(*app));
  }

  test::TempFolder folder;
  std::string path = folder.file("store.db");
  std::unique_ptr<Application> app = std::make_unique<Application>(path);
  std::unique_ptr<Items> journal = std::make_unique<Items>(test::journalOf(*app));
};

Subjects subjectsByIndex(const Items& items) {
  Subjects out;
  for (long i = 1; i <= items.Count(); ++i) out.push_back(items.Item(i)->Subject());
  return out;
}

Subjects subjectsByEnumeration(const Items& items) {
  Subjects out;
  items.forEach([&](const std::shared_ptr<StoreItem>& item) {
    out.push_back(item->Subject());
    return true;
  });
  return out;
}

TEST_F(ItemsTest, NewItemJoinsFolderOnlyAtItsFirstSaveAndLaterSavesUpdateInPlace) {
  ManualClock clock(DateTime::fromParts(2024, 5, 6, 7, 8, 9));
  auto item = asJournalItem(journal->Add(olJournalItem));
  EXPECT_EQ(item->Start(), clock.now());
  item->setSubject("Draft");
  EXPECT_EQ(journal->Count(), 0);
  EXPECT_EQ(item->id(), 0);
  item->Save();
  EXPECT_EQ(journal->Count(), 1);
  EXPECT_NE(item->id(), 0);
  item->setSubject("Final");
  item->Save();
  EXPECT_EQ(subjectsByIndex(test::journalOf(*app)), Subjects{"Final"});
  EXPECT_EQ(journal->Item(1)->id(), item->id());
}

TEST_F(ItemsTest, EnumerationKeepsInsertionOrderAndSortIsStableBothWays) {
  for (const auto& [subject, d] : {std::pair{"c", 3}, {"a1", 1}, {"b", 2}, {"a2", 1}, {"c2", 3}}) {
    saveEntry(*journal, subject, day(d));
  }
  EXPECT_EQ(subjectsByEnumeration(*journal), (Subjects{"c", "a1", "b", "a2", "c2"}));
  EXPECT_EQ(subjectsByIndex(*journal), (Subjects{"c", "a1", "b", "a2", "c2"}));
  journal->Sort("[start]");
  EXPECT_EQ(subjectsByIndex(*journal), (Subjects{"a1", "a2", "b", "c", "c2"}));
  journal->Sort("[Start]", true);
  EXPECT_EQ(subjectsByIndex(*journal), (Subjects{"c", "c2", "b", "a1", "a2"}));
  EXPECT_EQ(subjectsByEnumeration(*journal).front(), "c");  // enumeration ignores the sort
  EXPECT_THROW(journal->Sort("[Subject]"), StoreError);
  for (long outside : {0, 6, -1}) EXPECT_THROW(journal->Item(outside), StoreError) << outside;
}

TEST_F(ItemsTest, LongWalksAcrossPagesAndJumpsAgreeWithTheSortOrder) {
  // Many equal starts so that ties cross page boundaries.
  for (int i = 0; i < 700; ++i) saveEntry(*journal, std::to_string(i), day(1 + i % 7));
  Subjects expected;
  for (int d = 7; d >= 1; --d)
    for (int i = d - 1; i < 700; i += 7) expected.push_back(std::to_string(i));
  journal->Sort("[Start]", true);
  EXPECT_EQ(subjectsByIndex(*journal), expected);
  for (long i : {350, 3, 700}) EXPECT_EQ(journal->Item(i)->Subject(), expected[i - 1]);
  journal->Sort("[Start]", false);
  EXPECT_EQ(journal->Item(1)->Subject(), "0");
  EXPECT_EQ(journal->Item(700)->Subject(), "699");
  EXPECT_EQ(subjectsByEnumeration(*journal).size(), 700u);
}

TEST_F(ItemsTest, RestrictSelectsByTypeOrSubjectAndKeepsTheSortAndFindResolvesIds) {
  saveEntry(*journal, "Start Work", day(1), "TWEvent");
  auto write = saveEntry(*journal, "Write", day(2));
  saveEntry(*journal, "Stop Work", day(3), "TWEvent");
  saveEntry(*journal, "it's", day(4));
  journal->Sort("[Start]", true);
  Items markers = journal->Restrict("[Type] = 'TWEvent'");
  EXPECT_EQ(subjectsByIndex(markers), (Subjects{"Stop Work", "Start Work"}));
  EXPECT_EQ(journal->Restrict("[subject]='it''s'").Count(), 1);
  EXPECT_EQ(journal->Restrict("[Type] = 'twevent'").Count(), 0);
  EXPECT_THROW(journal->Restrict("[Body] = 'x'"), StoreError);
  EXPECT_THROW(journal->Restrict("Type = TWEvent"), StoreError);
  EXPECT_THROW(markers.Restrict("[Subject] = 'Stop Work'"), StoreError);
  ASSERT_NE(journal->find(write->id()), nullptr);
  EXPECT_EQ(journal->find(write->id())->Subject(), "Write");
  EXPECT_EQ(journal->find(write->id() + 100), nullptr);
  EXPECT_EQ(markers.find(write->id()), nullptr);
}

TEST_F(ItemsTest, TasksKeepTheirStatusAndJournalItemsTheirAttachments) {
  Items tasks = test::tasksOf(*app);
  auto open = saveTask(tasks, "Write", olTaskInProgress);
  saveTask(tasks, "Done", olTaskComplete);
  EXPECT_THROW(open->setStatus(5), StoreError);
  auto entry = asJournalItem(journal->Add(olJournalItem));
  entry->setSubject("Write");
  EXPECT_THROW(entry->Attachments().Add(asTaskItem(tasks.Add(olTaskItem)), olEmbeddedTask),
               StoreError);  // an unsaved task
  EXPECT_THROW(entry->Attachments().Add(open, 1), StoreError);
  entry->Attachments().Add(open, olEmbeddedTask);
  entry->Save();
  EXPECT_THROW(asTaskItem(journal->Item(1)), StoreError);
  EXPECT_THROW(asJournalItem(tasks.Item(1)), StoreError);

  reopen();
  tasks = test::tasksOf(*app);
  ASSERT_EQ(tasks.Count(), 2);
  EXPECT_EQ(asTaskItem(tasks.Item(1))->Status(), olTaskInProgress);
  EXPECT_EQ(asTaskItem(tasks.Item(2))->Status(), olTaskComplete);
  entry = asJournalItem(journal->find(entry->id()));
  // A save that never looked at the attachments keeps them.
  entry->setBody("more");
  entry->Save();
  auto reread = asJournalItem(journal->find(entry->id()));
  ASSERT_EQ(reread->Attachments().Count(), 1);
  EXPECT_EQ(reread->Attachments().Item(1)->Subject(), "Write");
}

TEST_F(ItemsTest, EveryPropertySurvivesReopening) {
  auto item = asJournalItem(journal->Add(olJournalItem));
  item->setSubject("Ünïcode \"quoted\"");
  item->setCategories("Design, Admin");
  item->setType("PJ_Task");
  item->setStart(DateTime::fromParts(2003, 1, 5, 13, 4, 5));
  item->setDuration(135);
  item->setCompanies("Acme");
  item->setBody("line 1\r\nline 2");
  item->Save();
  reopen();
  auto stored = asJournalItem(journal->Item(1));
  EXPECT_EQ(stored->Subject(), "Ünïcode \"quoted\"");
  EXPECT_EQ(stored->Categories(), "Design, Admin");
  EXPECT_EQ(stored->Type(), "PJ_Task");
  EXPECT_EQ(stored->Start(), DateTime::fromParts(2003, 1, 5, 13, 4, 5));
  EXPECT_EQ(stored->Duration(), 135);
  EXPECT_EQ(stored->Companies(), "Acme");
  EXPECT_EQ(stored->Body(), "line 1\r\nline 2");
}

TEST_F(ItemsTest, NamespaceAndFoldersAcceptOnlyWhatTheStoreHas) {
  EXPECT_THROW(app->GetNamespace("XYZ"), StoreError);
  EXPECT_THROW(app->GetNamespace("MAPI").GetDefaultFolder(6), StoreError);
  EXPECT_THROW(journal->Add(olTaskItem), StoreError);
  EXPECT_THROW(test::tasksOf(*app).Add(olJournalItem), StoreError);
}

}  // namespace
}  // namespace tw
