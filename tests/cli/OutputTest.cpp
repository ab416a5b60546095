// Where output goes: standard output checked, files written whole with their permissions,
// never into the store's own files, control characters escaped on a terminal only.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "CliFixture.h"
#include "store/StoreOpener.h"
#include "tests/support/DeviceFiles.h"
#include "tests/support/FifoReader.h"

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
    EXPECT_TRUE(has(err.str(), "Standard output cannot be written (No space left on device)"))
        << err.str();
  }
  expectCase({{"report", "--output", DeviceFiles(folder).full()}, "", 1, "the disk is full"});
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

// Only a file or a new name is replaced; a pipe or a device is written into, as a shell's ">>"
// would, and a backup (a database) goes to a file only. A failed write fails the command.
TEST_F(OutputTest, SpecialFilesAreWrittenIntoOrRefusedNeverReplaced) {
  const std::string fifo = folder.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const DeviceFiles devices(folder);
  // Open while the commands run, so that nothing waits for a reader.
  const FifoReader read(fifo);
  EXPECT_EQ(output({"ical", "export", fifo}), "wrote 1 items\n");
  EXPECT_TRUE(has(read.what(), "BEGIN:VCALENDAR"));
  const std::string calendar = output({"ical", "export", "-"});
  EXPECT_EQ(calendar.rfind("BEGIN:VCALENDAR", 0), 0u) << calendar;
  EXPECT_FALSE(has(calendar, "wrote"));
  const CommandCase cases[] = {
      {{"ical", "export", devices.full()},
       "",
       1,
       "\"" + devices.full() + "\" cannot be written: the disk is full"},
      {{"journal", "export", devices.full()}, "", 1, "the disk is full"},
      {{"backup", devices.full()}, "", 1, "it is a device, not a file"},
      {{"backup", fifo}, "", 1, "it is a pipe (FIFO), not a file"},
      {{"backup", "/dev/stdout"}, "", 1, "not a file"},
      {{"backup", folder.path()}, "", 1, "it is a folder, not a file"},
      {{"ical", "export", devices.null()}, "", 0, ""},
  };
  for (const CommandCase& c : cases) expectCase(c);
  EXPECT_FALSE(fs::exists(folder.file("-")));
}

// Each line of a list is one record and each tab separates its fields, whatever the texts hold.
TEST_F(OutputTest, TabsAndLineBreaksInsideFieldsAreEscaped) {
  opener.open(store, StoreOpener::Access::ReadWrite)
      ->addTask(Task{0, "", "Tab\there\nand C:\\dir", "A\x1b", {}, 0});
  EXPECT_EQ(output({"task", "list"}), "Write\tDocs\t0\nTab\\there\\nand C:\\\\dir\tA\\x1b\t0\n");
}

// Texts an older version stored may hold control characters: a report shows them escaped on a
// terminal only, a list always; an import refuses them now.
TEST_F(OutputTest, ControlCharactersAreEscapedOnATerminalOnly) {
  const std::string subject = "Bell\x07 \x1b[2J\x7f \xc2\x9b \xff";
  const std::string escaped = "Bell\\x07 \\x1b[2J\\x7f \\u009b \\xff";
  {
    const auto s = opener.open(store, StoreOpener::Access::ReadWrite);
    s->addTask(Task{0, "", subject, "", {}, 0});
    JournalEntry e;
    e.subject = subject;
    e.start = Instant::fromUnix(1'709'370'000);  // 2024-03-02 09:00 UTC
    const std::int64_t id = s->addEntry(e).id;
    RunningTimer timer;
    timer.entryId = id;
    timer.started = e.start;
    s->setTimer(timer);
  }
  EXPECT_EQ(output({"status"}).substr(0, escaped.size() + 1), escaped + '\t');
  for (const bool onTerminal : {false, true}) {
    terminal = onTerminal;
    const std::string list = output({"task", "list"});
    EXPECT_TRUE(has(list, escaped)) << list;
    const std::string report = output({"report"});
    EXPECT_TRUE(
        has(report, onTerminal ? "Bell\\x07 \\x1b[2J\\x7f \\u009b" : "Bell\x07 \x1b[2J\x7f"))
        << report;
    const std::string lines = output({"journal", "export"});
    EXPECT_TRUE(has(lines, onTerminal ? "\\x7f" : "\x7f")) << lines;
    EXPECT_TRUE(has(err.str(), "warning: 1 entry holds values Tallyworks no longer accepts"))
        << err.str();
  }
  expectCase({{"journal", "import", "-"},
              R"({"subject":"Bell\u0007","start":"2024-03-02T09:00:00"})",
              1,
              "line 1: the subject must not hold a control character"});
}

}  // namespace
}  // namespace tw::test
