// backup and check.
#include <filesystem>
#include <fstream>

#include "CliFixture.h"

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

}  // namespace
}  // namespace tw::test
