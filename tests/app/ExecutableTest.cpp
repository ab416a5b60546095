// The real executable, run as a separate process without a display.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/TempFolder.h"

namespace tw::test {
namespace {

namespace fs = std::filesystem;

std::string shellQuoted(const std::string& s) {
  return "'" + s + "'";
}

class ExecutableTest : public ::testing::Test {
 protected:
  // Runs tallyworks --store STORE with the arguments (a shell text); returns its exit code.
  // The configuration folder is the test's own (no sync.ini of the user's is read).
  int tallyworks(const std::string& args, const std::string& as = "") {
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                                std::string("XDG_CONFIG_HOME=") + shellQuoted(folder.path()) + " " +
                                as + shellQuoted(TALLYWORKS_EXECUTABLE) + " --store " +
                                shellQuoted(store) + " " + args;
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  TempFolder folder;
  std::string store = folder.file("store.db");
};

TEST_F(ExecutableTest, RunsCommandsWithoutADisplayAndExitsWithTheirCodes) {
  const std::string listed = folder.file("tasks.txt");
  const std::string status = folder.file("status.txt");
  const std::string lines = folder.file("journal.jsonl");
  writeBytes(lines, R"({"subject":"Write","start":"2024-03-01T09:00:00","duration":5})");
  const struct {
    std::string args;
    int code;
  } cases[] = {
      {"task add Write --categories Docs", 0},
      {"journal import - < " + shellQuoted(lines), 0},
      {"task list > " + shellQuoted(listed), 0},
      {"start write", 0},
      {"start Write", 0},
      {"status > " + shellQuoted(status), 0},
      {"ical export " + shellQuoted(folder.file("journal.ics")) + " > /dev/null", 0},
      {"ical import " + shellQuoted(folder.file("journal.ics")) + " > /dev/null", 0},
      {"import --from ktimetracker " + shellQuoted(folder.file("journal.ics")) + " > /dev/null", 0},
      {"sync 2>/dev/null", 1},
      {"ical export 2>/dev/null", 2},
      {"task list > /dev/full 2>/dev/null", 1},
      {"journal import " + shellQuoted(folder.file("none")) + " 2>/dev/null", 1},
      {"task add 2>/dev/null", 2},
      {"--stor=x task list 2>/dev/null", 2},
      {"-x 2>/dev/null", 2},
  };
  for (const auto& c : cases) EXPECT_EQ(tallyworks(c.args), c.code) << c.args;
  EXPECT_EQ(readBytes(listed), "Write\tDocs\t0\n");
  EXPECT_EQ(readBytes(status).rfind("Write\tDocs\t", 0), 0u) << "the timer outlives its command";
  EXPECT_NE(readBytes(folder.file("journal.ics")).find("SUMMARY:Write"), std::string::npos);
}

// What a program would load, as the dynamic loader lists it for ldd.
std::string librariesOf(const std::string& program) {
  const TempFolder listing;
  const std::string file = listing.file("ldd.txt");
  const std::string command =
      "LD_TRACE_LOADED_OBJECTS=1 " + shellQuoted(program) + " > " + shellQuoted(file);
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return readBytes(file);
}

// Every command but sync and ical starts without the network and calendar libraries (nor Qt):
// tallyworks hands those two to tallyworks-sync.
TEST(CommandProgram, LoadsNeitherTheNetworkNorTheCalendarLibraries) {
  const std::string command = librariesOf(TALLYWORKS_EXECUTABLE);
  const std::string calendar = librariesOf(TALLYWORKS_SYNC_EXECUTABLE);
  for (const char* library : {"libcurl", "libical", "libpugixml"}) {
    EXPECT_NE(calendar.find(library), std::string::npos) << library << " in " << calendar;
    EXPECT_EQ(command.find(library), std::string::npos) << library << " in " << command;
  }
  EXPECT_NE(command.find("libsqlite3"), std::string::npos) << command;
  EXPECT_EQ(command.find("libQt6"), std::string::npos) << command;
}

// The commands that only read work on a store the user may read but not write, and leave no
// -wal or -shm file beside it. Root may write anywhere, so as root they run as nobody.
TEST_F(ExecutableTest, CommandsThatOnlyReadWorkOnAStoreTheUserMayNotWrite) {
  const bool root = ::geteuid() == 0;
  if (root && std::system("command -v setpriv > /dev/null") != 0)
    GTEST_SKIP() << "running as root without setpriv to run as another user";
  const std::string lines = folder.file("journal.jsonl");
  writeBytes(lines, R"({"subject":"Write","start":"2024-03-01T09:00:00","duration":5})");
  ASSERT_EQ(tallyworks("task add Write"), 0);
  ASSERT_EQ(tallyworks("journal import " + shellQuoted(lines)), 0);
  const std::string before = readBytes(store);
  const TempFolder outputs;
  fs::permissions(outputs.path(), fs::perms::all);
  const std::string as = root ? "setpriv --reuid=65534 --regid=65534 --clear-groups -- " : "";
  fs::permissions(store, root ? fs::perms::owner_read | fs::perms::owner_write |
                                    fs::perms::group_read | fs::perms::others_read
                              : fs::perms::owner_read | fs::perms::owner_write);
  fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec |
                                     fs::perms::group_read | fs::perms::group_exec |
                                     fs::perms::others_read | fs::perms::others_exec);
  const std::string out = " > /dev/null";
  for (const std::string& args :
       {"task list" + out, "report" + out, "csv --from 3/1/2024 --to 3/1/2024" + out,
        "journal export" + out, "check" + out, "backup " + shellQuoted(outputs.file("copy.db")),
        "report --output " + shellQuoted(outputs.file("report.txt"))})
    EXPECT_EQ(tallyworks(args, as), 0) << args;
  EXPECT_EQ(tallyworks("task add Other 2>/dev/null", as), 1);
  EXPECT_FALSE(fs::exists(store + "-wal"));
  EXPECT_FALSE(fs::exists(store + "-shm"));
  EXPECT_EQ(readBytes(store), before);
  EXPECT_NE(readBytes(outputs.file("report.txt")).find("Write"), std::string::npos);
}

}  // namespace
}  // namespace tw::test
