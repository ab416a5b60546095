// task add, list, status, close and reopen.
#include "CliFixture.h"

namespace tw::test {
namespace {

class TaskCommandsTest : public CliTest {
 protected:
  using Args = std::vector<std::string>;
  void SetUp() override {
    for (const Args& add :
         {Args{"task", "add", "Write docs", "--categories", "Docs"},
          Args{"task", "add", "Write code", "--status", "1"}, Args{"task", "add", "Review 42"},
          Args{"task", "add", "Old", "--status", "2"}})
      ASSERT_EQ(run(add), 0) << err.str();
  }
};

TEST_F(TaskCommandsTest, ListShowsOpenTasksOrEveryTaskFilteredByAPattern) {
  const struct {
    std::vector<std::string> args;
    std::string listed;
  } cases[] = {
      {{"task", "list"}, "Write docs\tDocs\t0\nWrite code\t\t1\nReview 42\t\t0\n"},
      {{"task", "list", "--all"},
       "Write docs\tDocs\t0\nWrite code\t\t1\nReview 42\t\t0\nOld\t\t2\n"},
      {{"task", "list", "write*"}, "Write docs\tDocs\t0\nWrite code\t\t1\n"},
      {{"task", "list", "--all", "?ld"}, "Old\t\t2\n"},
      {{"task", "list", "Old"}, ""},
      {{"task", "list", ""}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(output(c.args), c.listed) << c.args.back();
}

TEST_F(TaskCommandsTest, StatusChangesEveryTaskOfTheSubjectLetterCaseAside) {
  ASSERT_EQ(run({"task", "add", "WRITE DOCS"}), 0);
  EXPECT_EQ(output({"task", "status", "write docs", "3"}), "");
  EXPECT_EQ(output({"task", "list", "--all", "write docs"}),
            "Write docs\tDocs\t3\nWRITE DOCS\t\t3\n");
  EXPECT_EQ(run({"task", "status", "Missing", "1"}), 1);
  EXPECT_EQ(err.str(), "tallyworks: There is no task \"Missing\".\n");
}

// A status is given by number or by name; close and reopen are its two common cases.
TEST_F(TaskCommandsTest, StatusesGoByNumberOrNameAndCloseAndReopenSetThem) {
  const struct {
    Args args;
    int code;
    std::string status;  // as task list --all shows it afterwards
  } cases[] = {
      {{"task", "status", "Old", "waiting"}, 0, "3"},
      {{"task", "status", "Old", "In-Progress"}, 0, "1"},
      {{"task", "status", "Old", "not started"}, 0, "0"},
      {{"task", "edit", "Old", "--status", "DEFERRED"}, 0, "4"},
      {{"task", "status", "Old", "04"}, 0, "4"},
      {{"task", "reopen", "old"}, 0, "0"},
      {{"task", "close", "old"}, 0, "2"},
      {{"task", "status", "Old", "done"}, 2, "2"},
      {{"task", "status", "Old", "5"}, 2, "2"},
      {{"task", "close", "Missing"}, 1, "2"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(run(c.args), c.code) << c.args[3] << err.str();
    EXPECT_EQ(output({"task", "list", "--all", "Old"}), "Old\t\t" + c.status + "\n") << c.args[3];
  }
}

TEST_F(TaskCommandsTest, VeryLongSubjectsAreMatchedWithoutTrouble) {
  const std::string subject(4096, 'x');
  ASSERT_EQ(run({"task", "add", subject}), 0);
  EXPECT_EQ(run({"task", "add", subject + "x"}), 2);
  EXPECT_NE(err.str().find("SUBJECT must not be longer than 4,096 bytes"), std::string::npos);
  EXPECT_EQ(output({"task", "status", subject, "2"}), "");
  EXPECT_EQ(output({"task", "list", "x*"}), "");
  EXPECT_EQ(run({"task", "status", subject + "y", "1"}), 1);
  EXPECT_LT(err.str().size(), 200u) << "the message shortens the subject";
}

}  // namespace
}  // namespace tw::test
