// backup and check.
#include <filesystem>
#include <fstream>

#include "CliFixture.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "store/sqlite/SqliteSyncState.h"
#include "sync/TaskKind.h"

namespace tw::test {
namespace {

class StoreCommandsTest : public CliTest {
 protected:
  void SetUp() override {
    std::string lines;
    for (int i = 0; i < 3000; ++i) {
      lines += R"({"subject":"S)" + std::to_string(i) +
               R"(","start":"2024-03-01T09:00:00","body":")" + std::string(200, 'x') + "\"}\n";
    }
    ASSERT_EQ(run({"journal", "import", "-"}, lines), 0) << err.str();
  }
};

TEST_F(StoreCommandsTest, ABackupIsASoundCopyOfTheWholeStore) {
  const std::string journal = output({"journal", "export"});
  const std::string copy = folder.file("copy.db");
  EXPECT_EQ(output({"backup", copy}), "");
  store = copy;
  EXPECT_EQ(output({"check"}), "ok\n");
  EXPECT_EQ(output({"journal", "export"}), journal);
}

TEST_F(StoreCommandsTest, CheckSaysWhatIsDamaged) {
  {
    std::fstream file(store, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(4096 * 40);
    file << '\x0d' << std::string(3000, '\xff');
  }
  EXPECT_EQ(run({"check"}), 1);
  EXPECT_NE(out.str().find("malformed"), std::string::npos) << out.str();
  EXPECT_EQ(err.str(), "tallyworks: The store is damaged.\n");
}

class MissingStoreTest : public CliTest {};

TEST_F(MissingStoreTest, CommandsThatOnlyReadShowAStoreNotMadeYetAsEmptyAndCreateNothing) {
  const CommandCase cases[] = {
      {{"task", "list"}, "", 0, ""},
      {{"journal", "export"}, "", 0, ""},
      {{"journal", "list"}, "", 0, ""},
      {{"status"}, "", 0, ""},
      {{"report"}, "", 0, ""},
      {{"csv", "--from", "3/1/2024", "--to", "3/1/2024"}, "", 0, ""},
      {{"check"}, "", 1, "does not exist"},
      {{"backup", folder.file("copy.db")}, "", 1, "does not exist"},
  };
  for (const CommandCase& c : cases) expectCase(c);
  EXPECT_EQ(output({"status"}), "Stopped\n");
  EXPECT_EQ(output({"csv", "--from", "3/1/2024", "--to", "3/1/2024"}), "category,3/1/2024\r\n");
  EXPECT_EQ(output({"report"}).rfind("JOURNAL REPORT\r\n", 0), 0u);
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

// ical export and import through the command line: the days chosen, a file read back changing
// nothing, and what fails before anything is touched.
class IcalCommandsTest : public CliTest {};

TEST_F(IcalCommandsTest, ExportsTheDaysChosenAndReadsTheFileBackUnchanged) {
  const std::string lines = R"({"subject":"Early","start":"2024-02-29T23:30:00","duration":30})"
                            "\n"
                            R"({"subject":"Inside","start":"2024-03-01T09:00:00","duration":45})"
                            "\n"
                            R"({"subject":"Late","start":"2024-03-02T00:00:00","duration":5})"
                            "\n";
  ASSERT_EQ(run({"journal", "import", "-"}, lines), 0) << err.str();
  const std::string file = folder.file("day.ics");
  EXPECT_EQ(output({"ical", "export", file, "--from", "3/1/2024", "--to", "2024-03-01"}),
            "wrote 1 items\n");
  EXPECT_EQ(output({"ical", "import", file}), "added 0, updated 0, unchanged 1\n");
  const CommandCase cases[] = {
      {{"ical", "export", file, "--from", "3/2/2024", "--to", "3/1/2024"}, "", 2, "is after"},
      {{"ical", "export", store}, "", 2, ""},
      {{"ical", "import", folder.file("missing.ics")}, "", 1, "missing.ics"},
      {{"sync"}, "", 1, "sync.ini"},
  };
  for (const CommandCase& c : cases) {
    EXPECT_EQ(run(c.args, c.input), c.code) << c.args[1] << ' ' << err.str();
    EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
  }
}

// A version that lost to the server's is listed until it is taken back or let go.
TEST_F(IcalCommandsTest, ConflictCopiesAreListedRestoredAndDismissed) {
  ASSERT_EQ(run({"task", "add", "Ours"}), 0) << err.str();
  {
    SqliteJournalStore s(store);
    const std::string uid = s.tasks().front().uid;
    const std::string mine = TaskKind().serialise(uid, {"Mine", "", "3"}, "", clock.now());
    for (int i = 0; i < 2; ++i)
      SqliteSyncState(s).addConflict({0, SyncState::Kind::Task, uid, "subject, status", mine, 0});
  }
  const std::string fields =
      "     subject: yours \"Mine\", now \"Ours\"\n"
      "     status: yours \"Waiting\", now \"Not Started\"\n";
  const std::string listed = output({"sync", "conflicts"});
  EXPECT_EQ(listed.substr(listed.size() - fields.size()), fields) << listed;
  EXPECT_EQ(listed.rfind("2  ", listed.find("task \"Ours\"\n" + fields)), std::string::npos);
  EXPECT_EQ(output({"sync", "conflicts", "--restore", "1"}), "");
  EXPECT_EQ(output({"task", "list", "--all"}), "Mine\t\t3\n");
  EXPECT_EQ(output({"sync", "conflicts", "--dismiss", "2"}), "");
  EXPECT_EQ(output({"sync", "conflicts"}), "");
  const CommandCase cases[] = {
      {{"sync", "conflicts", "--dismiss", "2"}, "", 1, "no longer kept"},
      {{"sync", "conflicts", "--dismiss", "2", "--restore", "3"}, "", 2, "excludes"},
  };
  for (const CommandCase& c : cases) expectCase(c);
}

}  // namespace
}  // namespace tw::test
