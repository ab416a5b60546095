// journal list, add, edit and delete; task edit, rename and delete.
#include "CliFixture.h"

namespace tw::test {
namespace {

class EditingTest : public CliTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(run({"task", "add", "Write", "--categories", "Docs"}), 0);
    uid = output(
        {"journal", "add", "--subject", "write", "--start", "3/1/2024 9:00 AM", "--minutes", "30"});
    ASSERT_EQ(uid.size(), 37u) << uid;
    uid.pop_back();
  }
  // The case's arguments with "UID" standing for the entry's uid.
  CommandCase withUid(CommandCase c) {
    for (std::string& arg : c.args)
      if (arg == "UID") arg = uid;
    return c;
  }
  std::string uid;
};

TEST_F(EditingTest, EntriesAreListedChangedAndDeletedByTheirUid) {
  EXPECT_EQ(output({"journal", "list"}), uid + "\t2024-03-01T09:00:00\t30\tWrite\tDocs\tTask\n");
  const CommandCase steps[] = {
      {{"journal", "edit", "UID", "--minutes", "45", "--categories", "Talk", "--body", "b"},
       "",
       0,
       ""},
      {{"journal", "edit", "UID", "--start", "2024-03-02T10:15"}, "", 0, ""},
      {{"journal", "delete", "UID"}, "", 0, ""},
      {{"journal", "delete", "UID"}, "", 1, "There is no journal entry"},
      {{"journal", "edit", "UID", "--minutes", "1"}, "", 1, "There is no journal entry"},
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    expectCase(withUid(steps[i]));
    if (i != 1) continue;
    EXPECT_EQ(output({"journal", "list", "--from", "3/2/2024", "--to", "2024-03-02"}),
              uid + "\t2024-03-02T10:15:00\t45\tWrite\tTalk\tTask\n");
    EXPECT_EQ(output({"journal", "list", "--to", "3/1/2024"}), "");
  }
}

TEST_F(EditingTest, BadInputIsRefusedAndChangesNothing) {
  ASSERT_EQ(run({"start", "Write"}), 0);
  const std::string before = output({"journal", "export"});
  const std::vector<std::string> add = {"journal", "add", "--subject", "Write", "--minutes", "5"};
  const auto adding = [&](std::vector<std::string> more) {
    more.insert(more.begin(), add.begin(), add.end());
    return more;
  };
  const CommandCase cases[] = {
      {adding({"--start", "3/1/2024"}), "", 2, "is not a date and time"},
      {adding({"--start", "2024-03-01T25:00"}), "", 2, "is not a date-time"},
      {adding({"--start", "3/1/2024 9:00", "--minutes", "1000001"}), "", 2, "--minutes"},
      {{"journal", "add", "--subject", " ", "--start", "3/1/2024 9:00", "--minutes", "5"},
       "",
       2,
       "--subject must not be empty"},
      {{"journal", "add", "--start", "3/1/2024 9:00", "--minutes", "5"}, "", 2, "--subject"},
      {{"journal", "add", "--subject", "Nope", "--start", "3/1/2024 9:00", "--minutes", "5"},
       "",
       1,
       "There is no open task \"Nope\""},
      {{"journal", "edit", "UID"}, "", 2, "needs something to change"},
      {{"journal", "edit", "UID", "--start", "9:00"}, "", 2, "--start"},
      {{"journal", "list", "--from", "3/2/2024", "--to", "3/1/2024"}, "", 2, "is after"},
      {{"task", "rename", "Write", ""}, "", 2, "NEW must not be empty"},
      {{"task", "edit", "Write"}, "", 2, "needs --categories or --status"},
      {{"task", "edit", "Write", "--status", "9"}, "", 2, "--status"},
      {{"task", "delete", "Nope"}, "", 1, "There is no task \"Nope\""},
      {{"task", "delete", "Write"}, "", 1, "2 journal entries refer to the task \"Write\""},
  };
  for (const CommandCase& c : cases) expectCase(withUid(c));
  const std::string list = output({"journal", "list"});
  const std::string timed = list.substr(list.rfind('\n', list.find("\tWrite\t")) + 1, 36);
  expectCase({{"journal", "edit", timed, "--minutes", "5"}, "", 1, "is being timed"});
  expectCase({{"journal", "delete", timed}, "", 1, "is being timed"});
  const std::string marker = list.substr(list.rfind('\n', list.find("\tStart Work\t")) + 1, 36);
  expectCase({{"journal", "edit", marker, "--start", "3/2/2024 9:00"}, "", 1, "later than now"});
  EXPECT_EQ(output({"journal", "export"}), before);
}

TEST_F(EditingTest, TasksAreRenamedChangedAndDeletedKeepingTheirEntries) {
  EXPECT_EQ(output({"task", "rename", "WRITE", "Draft"}), "");
  EXPECT_EQ(output({"task", "edit", "draft", "--categories", "Text", "--status", "3"}), "");
  EXPECT_EQ(output({"task", "list", "--all"}), "Draft\tText\t3\n");
  EXPECT_FALSE(has(output({"journal", "export"}), R"("task":""})"));
  expectCase({{"task", "delete", "Draft", "--force"}, "", 0, ""});
  EXPECT_EQ(output({"task", "list", "--all"}), "");
  const std::string lines = output({"journal", "export"});
  EXPECT_TRUE(has(lines, R"("subject":"Write")")) << "the entry stays";
  EXPECT_TRUE(has(lines, R"("task":""})")) << "tied to no task";
  ASSERT_EQ(run({"task", "add", "Spare"}), 0);
  expectCase({{"task", "delete", "spare"}, "", 0, ""});
}

}  // namespace
}  // namespace tw::test
