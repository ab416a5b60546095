// Where output goes: standard output checked, files written whole with their permissions,
// never into the store's own files, control characters escaped on a terminal only.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "CliFixture.h"
#include "store/StoreOpener.h"

namespace tw::test {
namespace {

namespace fs = std::filesystem;

class OutputTest : public CliTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(run({"task", "add", "Write", "--categories", "Docs"}), 0);
    ASSERT_EQ(
        run({"journal", "import", "-"},
            R"({"subject":"Write","start":"2024-03-01T09:00:00","duration":90,"categories":"Docs"})"),
        0);
  }
  std::size_t filesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder.path()), {}));
  }
};

TEST_F(OutputTest, AFullOrClosedStandardOutputFailsTheCommand) {
  std::ofstream full("/dev/full");
  sendOutputTo(full);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"task", "list"}, {"journal", "export"}, {"report"}, {"check"}}) {
    full.clear();
    EXPECT_EQ(run(args), 1) << args[0];
    EXPECT_NE(err.str().find("Standard output cannot be written (No space left on device)"),
              std::string::npos)
        << err.str();
  }
  expectCase({{"report", "--output", "/dev/full"}, "", 1, "No space left on device"});
}

TEST_F(OutputTest, TheStoreAndItsFilesAreNeverAnOutput) {
  const std::string before = readBytes(store);
  fs::create_symlink(store, folder.file("link"));
  fs::create_hard_link(store, folder.file("hard"));
  const std::size_t files = filesInFolder();
  for (const std::string& target : {store, store + "-wal", store + "-shm", folder.file("link"),
                                    folder.file("hard"), folder.file("missing/../store.db-wal")}) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"report", "--output", target},
          {"csv", "--from", "3/1/2024", "--to", "3/1/2024", "--output", target},
          {"journal", "export", target},
          {"backup", target}})
      expectCase({args, "", 2, "is the store itself or one of its files"});
  }
  EXPECT_EQ(readBytes(store), before);
  EXPECT_EQ(filesInFolder(), files);
}

TEST_F(OutputTest, AFileIsReplacedWholeKeepingItsPermissions) {
  const std::string file = folder.file(std::string(250, 'r'));
  writeBytes(file, "old");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_EQ(output({"csv", "--from", "3/1/2024", "--to", "3/1/2024", "--output", file}), "");
  EXPECT_EQ(readBytes(file), "category,3/1/2024\r\nDocs,1.5\r\n");
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(output({"csv", "--from", "3/1/2024", "--to", "3/1/2024", "--output", "-"}),
            "category,3/1/2024\r\nDocs,1.5\r\n");
}

TEST_F(OutputTest, AFailedCommandLeavesAnExistingFileAsItWas) {
  const std::string file = folder.file("table.csv");
  writeBytes(file, "old");
  store = folder.file("not-a-store");
  writeBytes(store, std::string(1024, 'x'));
  const std::size_t files = filesInFolder();
  expectCase({{"csv", "--from", "3/1/2024", "--to", "3/2/2024", "--output", file},
              "",
              1,
              "not a database"});
  EXPECT_EQ(readBytes(file), "old");
  EXPECT_EQ(filesInFolder(), files);
}

TEST_F(OutputTest, ControlCharactersAreEscapedOnATerminalOnly) {
  const std::string subject = "Bell\x07 \x1b[2J\x7f \xc2\x9b \xff";
  const std::string escaped = "Bell\\x07 \\x1b[2J\\x7f \\u009b \\xff";
  opener.open(store, StoreOpener::Access::ReadWrite)->addTask(Task{0, "", subject, "", {}, 0});
  ASSERT_EQ(run({"journal", "import", "-"}, R"({"subject":"Bell\u0007 \u001b[2J)"
                                            "\x7f \xc2\x9b"
                                            R"(","start":"2024-03-02T09:00:00"})"),
            0)
      << err.str();
  for (const bool onTerminal : {false, true}) {
    terminal = onTerminal;
    const std::string list = output({"task", "list"});
    EXPECT_NE(list.find(onTerminal ? escaped : subject), std::string::npos) << list;
    const std::string report = output({"report"});
    EXPECT_NE(report.find(onTerminal ? "Bell\\x07 \\x1b[2J\\x7f \\u009b" : "Bell\x07 \x1b[2J\x7f"),
              std::string::npos)
        << report;
    const std::string lines = output({"journal", "export"});
    EXPECT_NE(lines.find(onTerminal ? "\\x7f" : "\x7f"), std::string::npos) << lines;
    EXPECT_EQ(list.find('\x1b') == std::string::npos, onTerminal);
  }
}

}  // namespace
}  // namespace tw::test
