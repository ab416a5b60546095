// The files the other trackers made (tests/import/data, with the commands that made them and
// the programs' own totals in its README), imported through the command line: the totals per
// day and task equal the program's, to the second; a second import changes nothing.
#include <cctype>

#include "ImportFixture.h"

namespace tw::test {
namespace {

struct RealFile {
  const char* source;
  const char* file;
  // The clock when importing (local, Berlin): after the files' last day.
  const char* now;
  bool splitAtMidnight;
  ImportTest::Totals expected;
  // The summary's line about what is timed, or "".
  const char* timing;
};

const RealFile kFiles[] = {
    {"timewarrior",
     "timewarrior-export.json",
     "2024-04-10T12:00:00",
     true,
     {{{"2024-03-28", "Design, Page layout, client:Acme"}, hms(5, 50, 7)},
      {{"2024-03-28", "Admin"}, hms(1, 35, 25)},
      {{"2024-03-30", "Deploy"}, hms(1, 0, 0)},
      {{"2024-03-31", "Deploy"}, hms(2, 15, 0)},
      {{"2024-04-01", "Untagged"}, hms(0, 59, 58)},
      {{"2024-04-02", "Admin"}, hms(2, 0, 0)}},
     ""},
    {"timewarrior",
     "timewarrior-running.json",
     "2024-04-03T10:00:00",
     true,
     {{{"2024-04-03", "Writing"}, hms(1, 30, 0)}},
     "Timing Writing since 4/3/2024 8:30:00 AM"},
    {"gtimelog",
     "gtimelog-timelog.txt",
     "2024-11-01T12:00:00",
     false,
     {{{"2024-03-28", "Acme: page layout"}, hms(2, 55, 0)},
      {{"2024-03-28", "Admin: invoices"}, hms(1, 20, 0)},
      {{"2024-03-28", "Acme: proofs"}, hms(2, 45, 0)},
      {{"2024-03-29", "Ünïcode Ltd: café menu"}, hms(1, 50, 0)},
      {{"2024-03-29", "Admin: invoices"}, hms(1, 15, 0)},
      {{"2024-03-29", "Acme: late deploy"}, hms(12, 30, 0)},
      {{"2024-10-27", "Ops: night shift before the clock change"}, hms(0, 25, 0)},
      // gtimelog's 1:30:00 is a difference of clock readings; real time is an hour more.
      {{"2024-10-27", "Ops: night shift across the clock change"}, hms(2, 30, 0)}},
     ""},
    {"hamster",
     "hamster.db",
     "2024-04-03T10:00:00",
     false,
     {{{"2024-03-28", "page layout"}, hms(5, 50, 0)},
      {{"2024-03-28", "invoices"}, hms(1, 35, 0)},
      {{"2024-03-29", "café menu"}, hms(1, 50, 0)},
      {{"2024-03-29", "deploy"}, hms(1, 45, 0)},
      {{"2024-04-02", "no category"}, hms(0, 45, 0)},
      {{"2024-04-03", "writing"}, hms(1, 30, 0)},
      // Hamster's 1:55 is a difference of clock readings across the night the clocks go back.
      {{"2024-10-27", "night shift"}, hms(2, 55, 0)}},
     "Timing writing since 4/3/2024 8:30:00 AM"},
    {"ktimetracker",
     "ktimetracker.ics",
     "2026-12-07T02:30:00",
     false,
     {{{"2024-03-28", "Page layout"}, 5400},
      {{"2024-03-28", "Proofs, \"quoted\""}, 15600},
      {{"2024-03-28", "Admin"}, 600},
      {{"2024-03-29", "Ünïcode café"}, 6300},
      {{"2024-04-02", "Acme"}, 2700},
      {{"2024-10-27", "Admin"}, 6900},
      // 3 s timed, and the timer running since 02:24:10 when the file was saved.
      {{"2026-12-07", "Admin"}, 3 + hms(0, 5, 50)},
      {{"2026-12-07", "Page layout"}, 5}},
     "Timing Admin since 12/7/2026 2:24:10 AM"},
    {"csv",
     "web-tracker.csv",
     "2024-04-10T12:00:00",
     false,
     {{{"2024-03-28", "Page layout"}, hms(1, 30, 0)},
      {{"2024-03-28", "Invoices"}, hms(1, 35, 25)},
      {{"2024-03-28", "Proofs"}, hms(4, 20, 7)},
      {{"2024-03-29", "Menu"}, hms(1, 45, 0)}},
     ""},
};

class RealFilesTest : public ImportTest, public ::testing::WithParamInterface<RealFile> {};

TEST_P(RealFilesTest, TotalsEqualTheProgramsOwnAndASecondImportChangesNothing) {
  const RealFile& f = GetParam();
  const std::string file =
      f.source == std::string("hamster") ? hamsterDatabase(folder.file(f.file)) : data(f.file);
  clock.setLocal(DateText::parseIso(f.now));
  const std::string dry = output({"import", "--from", f.source, file, "--dry-run"});
  EXPECT_TRUE(has(dry, "Would import from " + std::string(f.source))) << dry;
  EXPECT_EQ(totals(), Totals()) << "a dry run stores nothing";

  const std::string done = output({"import", "--from", f.source, file});
  EXPECT_TRUE(has(done, f.timing)) << done;
  EXPECT_EQ(totals(f.splitAtMidnight), f.expected) << done;

  const std::string before = journal();
  const std::string again = output({"import", "--from", f.source, file});
  EXPECT_TRUE(has(again, ": 0 new entries, 0 updated")) << again;
  EXPECT_EQ(journal(), before);
}

INSTANTIATE_TEST_SUITE_P(EachSource, RealFilesTest, ::testing::ValuesIn(kFiles),
                         [](const auto& info) {
                           std::string name;
                           for (const char* c = info.param.file; *c && *c != '.'; ++c)
                             if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                           return name;
                         });

}  // namespace
}  // namespace tw::test
