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
    clock.advance(3600);  // the entries' starts
    std::string lines;
    for (int i = 0; i < 3000; ++i)
      lines += R"({"subject":"S)" + std::to_string(i) +
               R"(","start":"2024-03-01T09:00:00","body":")" + std::string(200, 'x') + "\"}\n";
    ASSERT_EQ(run({"journal", "import", "-"}, lines), 0) << err.str();
  }
};

// Once check (or any command) found the store damaged, no command writes to it, including the
// ones that never read the damaged part; recover saves the rest into a new store.
TEST_F(StoreCommandsTest, ADamagedStoreIsRefusedForWritingAndRecoveredIntoANewOne) {
  {
    std::fstream file(store, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(4096 * 40);
    file << '\x0d' << std::string(3000, '\xff');
  }
  const std::string damaged = readBytes(store);
  EXPECT_EQ(run({"check"}), 1);
  EXPECT_TRUE(has(out.str(), "malformed")) << out.str();
  EXPECT_TRUE(has(err.str(), "The store is damaged; `tallyworks --store \"" + store +
                                 "\" recover NEW-FILE` saves"))
      << err.str();
  const CommandCase refused[] = {
      {{"task", "add", "New"}, "", 1, "is damaged (the check found: "},
      {{"recover", store + "-wal"}, "", 2, "is the store itself or one of its files"},
  };
  for (const CommandCase& c : refused) expectCase(c);
  const std::string recovered = folder.file("recovered.db");
  const std::string saved = output({"recover", recovered});
  EXPECT_TRUE(has(saved, " journal entries and 0 of 0 tasks in " + recovered)) << saved;
  EXPECT_EQ(readBytes(store), damaged);
  store = recovered;
  EXPECT_EQ(output({"check"}), "ok\n");
  EXPECT_EQ(run({"task", "add", "New"}), 0) << err.str();
}

// Rows an older version stored out of range are shown, exported and named by check.
TEST_F(StoreCommandsTest, ValuesOutOfRangeAreShownAndNamedByCheckWithoutFailingACommand) {
  {
    SqliteJournalStore s(store);
    JournalEntry e;
    e.subject = "Year zero";
    e.start = Instant::fromUnix(-62'167'219'200);  // 0000-01-01 00:00 UTC
    s.addEntry(e);
    e.subject = "Endless";
    e.start = Instant::fromUnix(1'709'280'000);
    e.seconds = 99'999'999LL * 7 * 86400;
    s.addEntry(e);
  }
  const std::string lines = output({"journal", "export"});
  EXPECT_TRUE(has(lines, R"("start":"0000-01-01T00:00:00")"));
  EXPECT_TRUE(has(err.str(), "warning: 2 entries hold values")) << err.str();
  EXPECT_TRUE(has(output({"journal", "list", "--from", "3/1/2024"}), "Endless"));
  EXPECT_EQ(run({"check"}), 1);
  EXPECT_EQ(out.str().rfind("entry "), out.str().find("\nentry ") + 1) << "two lines";
  EXPECT_TRUE(has(out.str(), ": the start, 0000-01-01T00:00:00, lies outside"));
  EXPECT_TRUE(has(out.str(), ": the length, 1,007,999,989,920 minutes, is more than"));
  EXPECT_TRUE(has(err.str(), "2 items hold values Tallyworks no longer accepts"));
}

// Entries that cannot be billed as they are make a line each and an exit code of their own.
TEST_F(StoreCommandsTest, CheckListsEntriesThatCannotBeBilledAsTheyAre) {
  clock.advance(86400);
  const std::string journal = R"({"subject":"A","start":"2024-03-01T10:00:00","seconds":3600}
{"subject":"B","start":"2024-03-01T10:30:00","seconds":600})";
  ASSERT_EQ(run({"journal", "import", "-"}, journal), 0) << err.str();
  EXPECT_EQ(run({"check"}), CommandLine::kFindings);
  EXPECT_TRUE(has(out.str(), R"("B"): overlaps "A" (3/1/2024 10:00:00 AM, 60 min) by 10 min)"))
      << out.str();
  EXPECT_TRUE(has(err.str(), "1 journal entries cannot be billed"));
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
      {{"recover", folder.file("copy.db")}, "", 1, "it cannot be read"},
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
  const std::string lines = R"({"subject":"Early","start":"2024-02-29T23:30:00","duration":30}
{"subject":"Inside","start":"2024-03-01T09:00:00","duration":45}
{"subject":"Late","start":"2024-03-02T00:00:00","duration":5}
)";
  ASSERT_EQ(run({"journal", "import", "-"}, lines), 0) << err.str();
  const std::string file = folder.file("day.ics");
  EXPECT_EQ(output({"ical", "export", file, "--from", "3/1/2024", "--to", "2024-03-01"}),
            "wrote 1 items\n");
  EXPECT_EQ(output({"ical", "import", file}), "added 0, updated 0, unchanged 1\n");
  const CommandCase cases[] = {
      {{"ical", "export", file, "--from", "3/2/2024", "--to", "3/1/2024"}, "", 2, "is after"},
      {{"ical", "export", store}, "", 2, ""},
      {{"ical", "import", folder.file("missing.ics")}, "", 1, "missing.ics"},
      {{"sync"}, "", 1, "tallyworks.ini"},
  };
  for (const CommandCase& c : cases) {
    EXPECT_EQ(run(c.args, c.input), c.code) << c.args[1] << ' ' << err.str();
    EXPECT_TRUE(has(err.str(), c.message)) << err.str();
  }
}

// What a calendar file sends is held to what an entry and a task may hold: nothing is rolled
// over into another date, and nothing out of range gets into the store.
TEST_F(IcalCommandsTest, ImportRefusesItemsThatBreakWhatAnItemMayHold) {
  const auto event = [](const std::string& uid, const std::string& lines) {
    return "BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTAMP:20240101T000000Z\r\n" + lines +
           "END:VEVENT\r\n";
  };
  const std::string day = "DTSTART:20240301T090000Z\r\n";
  const std::string ics =
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//t//t//EN\r\n" +
      event("zero", "DTSTART:00000101T090000Z\r\nSUMMARY:Year zero\r\n") +
      event("weeks", day + "DURATION:P99999999W\r\nSUMMARY:Weeks\r\n") +
      event("millennium", day + "DTEND:30240301T090000Z\r\nSUMMARY:Long\r\n") +
      event("feb30", "DTSTART:20240230T090000Z\r\nSUMMARY:February 30\r\n") +
      event("hour99", "DTSTART:20240301T990000Z\r\nSUMMARY:Hour 99\r\n") +
      event("bell", day + "SUMMARY:Bell\x07\x1b[2J\r\n") + event("nameless", day) +
      event("fine", day + "DTEND:20240301T100000Z\r\nSUMMARY:Fine\r\n") +
      "BEGIN:VTODO\r\nUID:t1\r\nDTSTAMP:20240101T000000Z\r\nEND:VTODO\r\n"
      "BEGIN:VTODO\r\nUID:t2\r\nDTSTAMP:20240101T000000Z\r\nSUMMARY:<Refresh>\r\nEND:VTODO\r\n"
      "END:VCALENDAR\r\n";
  const std::string file = folder.file("hostile.ics");
  writeBytes(file, ics);
  EXPECT_EQ(output({"ical", "import", file}),
            "added 1, updated 0, unchanged 0, 9 unreadable skipped\n");
  const std::string listed = output({"journal", "list"});
  EXPECT_EQ(listed.find('\n'), listed.size() - 1) << listed;
  EXPECT_TRUE(has(listed, "\t60\tFine\t")) << listed;
  EXPECT_EQ(output({"task", "list", "--all"}), "");
  clock.advance(7200);  // the end of "Fine"
  EXPECT_EQ(output({"check"}), "ok\n");
  expectCase({{"ical", "import", folder.path()}, "", 1, "is a folder, not a file"});
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
