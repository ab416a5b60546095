#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "store/Application.h"
#include "tests/store/StoreHelpers.h"
#include "tests/store/TempFolder.h"

namespace tw {
namespace {

class CommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override { Application::setDefaultStorePath(store); }
  void TearDown() override { Application::setDefaultStorePath(""); }

  int run(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    out.str("");
    err.str("");
    CommandLine commandLine(in, out, err);
    return commandLine.run(args);
  }

  test::TempFolder folder;
  std::string store = folder.file("store.db");
  std::ostringstream out;
  std::ostringstream err;
};

const std::string kTwoItems =
    R"({"subject":"Write","start":"2024-03-01T09:00:00","duration":90,"categories":"Docs","type":"Task","companies":"Acme","body":"first"})"
    "\n"
    R"({"subject":"Start Work","start":"2024-03-02T08:59:00","categories":"Tallyworks Start","type":"TWEvent"})"
    "\n";

TEST_F(CommandLineTest, TasksAreAddedListedAndChanged) {
  EXPECT_EQ(run({"task", "add", "Write", "--categories", "Docs"}), 0);
  EXPECT_EQ(run({"task", "add", "Old", "--status", "2"}), 0);
  const auto list = [&](const std::vector<std::string>& args) {
    EXPECT_EQ(run(args), 0);
    return out.str();
  };
  EXPECT_EQ(list({"task", "list"}), "Write\tDocs\t0\n");
  EXPECT_EQ(list({"task", "list", "--all"}), "Write\tDocs\t0\nOld\t\t2\n");
  EXPECT_EQ(run({"task", "status", "Write", "3"}), 0);
  EXPECT_EQ(list({"task", "list"}), "");
  EXPECT_EQ(run({"task", "status", "Missing", "1"}), 1);
  EXPECT_EQ(err.str(), "tallyworks: There is no task \"Missing\".\n");
}

TEST_F(CommandLineTest, BadArgumentsAreUsageErrorsOnOneLine) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"task", "add", "X", "--status", "5"},
        {"task"},
        {"bogus"},
        {"csv", "--from", "1/1/2024"},
        {"report", "--from", "31/31/2024"},
        {"journal", "import"},
        {"task", "status", "X", "one"}}) {
    EXPECT_EQ(run(args), 2) << args[0];
    EXPECT_EQ(err.str().rfind("tallyworks: ", 0), 0u) << err.str();
    EXPECT_EQ(err.str().find('\n'), err.str().size() - 1) << err.str();
  }
  EXPECT_FALSE(std::filesystem::exists(store));
  EXPECT_EQ(run({"--help"}), 0);
  EXPECT_NE(out.str().find("journal"), std::string::npos);
}

TEST_F(CommandLineTest, ImportAndExportMakeALosslessRoundTrip) {
  ASSERT_EQ(run({"journal", "import", "-"}, kTwoItems), 0) << err.str();
  ASSERT_EQ(run({"journal", "export"}), 0);
  const std::string exported = out.str();
  EXPECT_EQ(
      exported.substr(0, exported.find('\n')),
      R"({"subject":"Write","start":"2024-03-01T09:00:00","duration":90,"categories":"Docs","type":"Task","companies":"Acme","body":"first"})");
  const std::string file = folder.file("journal.jsonl");
  ASSERT_EQ(run({"journal", "export", file}), 0);
  EXPECT_EQ(test::readBytes(file), exported);

  Application::setDefaultStorePath(folder.file("second.db"));
  ASSERT_EQ(run({"journal", "import", file}), 0) << err.str();
  ASSERT_EQ(run({"journal", "export"}), 0);
  EXPECT_EQ(out.str(), exported);
}

TEST_F(CommandLineTest, OneBadLineImportsNothingAndNamesTheLine) {
  ASSERT_EQ(run({"journal", "import", "-"}, kTwoItems), 0);
  const std::vector<std::pair<std::string, std::string>> bad = {
      {R"({"subject":"ok"})"
       "\n"
       R"({"subject":"x","start":"2024-02-30T00:00:00"})",
       "line 2: \"start\""},
      {R"({"subject":"ok"})"
       "\n\n"
       R"({"duration":1.5})",
       "line 3: \"duration\""},
      {R"({"duration":99999999999})", "line 1: \"duration\" is out of range"},
      {R"(["not","an","object"])", "line 1: it is not a JSON object"},
      {R"({"subject":"x",)", "line 1: it is not valid JSON"},
      {R"({"subjet":"x"})", "line 1: unknown key \"subjet\""}};
  for (const auto& [input, message] : bad) {
    EXPECT_EQ(run({"journal", "import", "-"}, input), 1) << input;
    EXPECT_NE(err.str().find(message), std::string::npos) << err.str();
  }
  Application app(store);
  EXPECT_EQ(test::journalOf(app).Count(), 2);
}

TEST_F(CommandLineTest, ReportAndCsvWriteTheReportsBytes) {
  ASSERT_EQ(run({"journal", "import", "-"}, kTwoItems), 0);
  const std::string table = "category,3/1/2024,3/2/2024\r\nDocs,1.5,0\r\n";
  ASSERT_EQ(run({"csv", "--from", "3/1/2024", "--to", "3/2/2024"}), 0) << err.str();
  EXPECT_EQ(out.str(), table);
  const std::string file = folder.file("out");
  ASSERT_EQ(run({"csv", "--from", "3/1/2024", "--to", "3/2/2024", "--category", "docs", "--output",
                 file}),
            0);
  EXPECT_EQ(test::readBytes(file), table);
  ASSERT_EQ(run({"report", "--from", "3/1/2024", "--to", "3/31/2024"}), 0) << err.str();
  EXPECT_EQ(out.str().rfind("JOURNAL REPORT\r\nRange: 3/1/2024 through 3/31/2024", 0), 0u);
  EXPECT_NE(out.str().find("    Docs: 1 hour, 30 minutes (Task)\r\n"), std::string::npos);
  ASSERT_EQ(run({"report", "--output", file}), 0);
  EXPECT_EQ(test::readBytes(file).substr(0, 16), "JOURNAL REPORT\r\n");
}

TEST_F(CommandLineTest, AFailedCommandLeavesAnExistingOutputFileAsItWas) {
  const std::string file = folder.file("table.csv");
  test::writeBytes(file, "old");
  test::writeBytes(store, std::string(1024, 'x'));
  EXPECT_EQ(run({"csv", "--from", "3/1/2024", "--to", "3/2/2024", "--output", file}), 1);
  EXPECT_NE(err.str().find("not a database"), std::string::npos) << err.str();
  EXPECT_EQ(test::readBytes(file), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            2);
}

TEST(CommandLineArguments, CommandsAreToldFromWindowArguments) {
  EXPECT_FALSE(CommandLine::namesCommand({}));
  EXPECT_FALSE(CommandLine::namesCommand({"--store", "x.db"}));
  EXPECT_FALSE(CommandLine::namesCommand({"-platform", "offscreen"}));
  EXPECT_TRUE(CommandLine::namesCommand({"--store", "x.db", "report"}));
  EXPECT_TRUE(CommandLine::namesCommand({"--store=x.db", "csv"}));
  EXPECT_TRUE(CommandLine::namesCommand({"typo"}));
  EXPECT_EQ(CommandLine::windowArguments({"--store", "w.db", "-platform", "offscreen"}),
            (std::vector<std::string>{"-platform", "offscreen"}));
  EXPECT_EQ(Application::defaultStorePath(), "w.db");
  Application::setDefaultStorePath("");
  EXPECT_THROW(CommandLine::windowArguments({"--store"}), std::invalid_argument);
}

TEST(CommandLineArguments, TheDefaultStoreFollowsTheEnvironment) {
  setenv("TALLYWORKS_STORE", "/tmp/env.db", 1);
  EXPECT_EQ(Application::defaultStorePath(), "/tmp/env.db");
  Application::setDefaultStorePath("/tmp/option.db");
  EXPECT_EQ(Application::defaultStorePath(), "/tmp/option.db");
  Application::setDefaultStorePath("");
  unsetenv("TALLYWORKS_STORE");
  setenv("XDG_DATA_HOME", "/tmp/data", 1);
  EXPECT_EQ(Application::defaultStorePath(), "/tmp/data/tallyworks/tallyworks.db");
  setenv("XDG_DATA_HOME", "relative", 1);
  setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(Application::defaultStorePath(), "/home/someone/.local/share/tallyworks/tallyworks.db");
}

}  // namespace
}  // namespace tw
