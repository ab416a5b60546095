// Telling commands from window arguments, and arguments given wrongly.
#include <filesystem>
#include <stdexcept>

#include "CliFixture.h"
#include "cli/UsageError.h"

namespace tw::test {
namespace {

using Args = std::vector<std::string>;

TEST(WindowArguments, OnlyNothingOrAStorePathAskForTheWindow) {
  const struct {
    Args args;
    bool command;
    std::string store;  // for the window; "!" when windowStore refuses them
  } cases[] = {
      {{}, false, ""},
      {{"--store", "x.db"}, false, "x.db"},
      {{"--store=x.db"}, false, "x.db"},
      {{"--store"}, false, "!"},
      {{"--store="}, false, "!"},
      {{"--store", "--help"}, false, "!"},
      {{"--store", "a.db", "--store", "b.db"}, false, "!"},
      {{"--store", "x.db", "report"}, true, ""},
      {{"--stor=x", "task", "list"}, true, ""},
      {{"-x"}, true, ""},
      {{"-platform", "offscreen"}, true, ""},
      {{"--help"}, true, ""},
      {{"--version"}, true, ""},
      {{"typo"}, true, ""},
  };
  for (const auto& c : cases) {
    const std::string shown = c.args.empty() ? "(none)" : c.args[0];
    EXPECT_EQ(CommandLine::namesCommand(c.args), c.command) << shown;
    if (c.command) continue;
    if (c.store == "!")
      EXPECT_THROW(CommandLine::windowStore(c.args), UsageError) << shown;
    else
      EXPECT_EQ(CommandLine::windowStore(c.args), c.store) << shown;
  }
}

class ArgumentsTest : public CliTest {};

TEST_F(ArgumentsTest, ArgumentsGivenWronglyAreUsageErrorsThatTouchNothing) {
  const std::string longDate(50, '1');
  const CommandCase cases[] = {
      {{"task", "add", ""}, "", 2, "SUBJECT must not be empty"},
      {{"task", "add", "  "}, "", 2, "SUBJECT must not be empty"},
      {{"task", "add", "X", "--status", "5"}, "", 2, "--status"},
      {{"task"}, "", 2, "subcommand"},
      {{"task", "status", "X", "one"}, "", 2, "STATUS: \"one\" is not a status"},
      {{"task", "list", "--store", "x"}, "", 2, "--store"},
      {{"bogus"}, "", 2, "unknown command \"bogus\""},
      {{"-x", "task", "list"}, "", 2, "unknown option \"-x\""},
      {{"--stor=x", "task", "list"}, "", 2, "unknown option \"--stor=x\""},
      {{"journal", "import"}, "", 2, "FILE"},
      {{"csv", "--from", "1/1/2024"}, "", 2, "--to"},
      {{"csv", "--from", "", "--to", "1/1/2024"}, "", 2, "--from needs a date"},
      {{"report", "--to", ""}, "", 2, "--to needs a date"},
      {{"report", "--from", "3/2/2024", "--to", "2024-03-01"},
       "",
       2,
       "--from 3/2/2024 is after --to 3/1/2024"},
      {{"report", "--from", "2024-02-30"}, "", 2, "February 30, 2024 does not exist"},
      {{"report", "--from", "1/2/24"}, "", 2, "M/d/yyyy"},
      {{"report", "--from", "3/1/2024 10:00"}, "", 2, "M/d/yyyy"},
      {{"report", "--from", "2024-3-1"}, "", 2, "YYYY-MM-DD"},
      {{"report", "--from", longDate}, "", 2, "is not a date"},
      {{"backup"}, "", 2, "FILE"},
      {{"task", "add", "caf\xe9"}, "", 2, "SUBJECT must be valid UTF-8 text: \"caf\\xe9\""},
      {{"report", "--to", "12/31/9999"}, "", 2, "a range can end on 12/30/9999 at the latest"},
      {{"journal", "list", "--to", "9999-12-31"}, "", 2, "12/30/9999 at the latest"},
      {{"journal", "add", "--subject", "X", "--start", "3/1/2024 9:00", "--minutes", "5", "--body",
        "a\x1b[2J"},
       "",
       2,
       "--body must not hold a control character other than a tab or a line break"},
      {{"journal", "add", "--subject", "X", "--start", "12/31/9999 23:00", "--minutes", "120"},
       "",
       2,
       "the end, 10000-01-01T01:00:00, lies outside the dates"},
  };
  for (const CommandCase& c : cases) expectCase(c);
  EXPECT_FALSE(std::filesystem::exists(store));
  EXPECT_EQ(runRaw({"--store", "", "task", "list"}), 2);
  EXPECT_TRUE(has(err.str(), "--store needs the path")) << err.str();
}

// Never octal, hexadecimal or binary: "045" is 45 minutes.
TEST_F(ArgumentsTest, NumbersAreDecimal) {
  ASSERT_EQ(run({"task", "add", "Write", "--status", "01"}), 0) << err.str();
  const std::vector<std::string> add = {"journal", "add",           "--subject", "Write",
                                        "--start", "3/1/2024 9:00", "--minutes"};
  const auto adding = [&](const char* minutes) {
    std::vector<std::string> args = add;
    args.emplace_back(minutes);
    return args;
  };
  const CommandCase cases[] = {
      {adding("0x10"), "", 2, "--minutes: \"0x10\" is not a whole number in decimal digits"},
      {adding("0b11"), "", 2, "\"0b11\" is not a whole number in decimal digits (0 to 1,000,000)"},
      {adding("1e3"), "", 2, "decimal digits"},
      {adding("+5"), "", 2, "decimal digits"},
      {adding("-5"), "", 2, "-5 is not in the range 0 to 1,000,000"},
      {adding("99999999999999999999"), "", 2, "is not in the range"},
      {{"task", "status", "Write", "0x2"}, "", 2, "decimal digits (0 to 4)"},
      {{"sync", "conflicts", "--dismiss", "010x"}, "", 2, "decimal digits"},
      {adding("045"), "", 0, ""},
      {{"task", "status", "Write", "004"}, "", 0, ""},
  };
  for (const CommandCase& c : cases) expectCase(c);
  EXPECT_TRUE(has(output({"journal", "list"}), "\t45\tWrite\t")) << out.str();
  EXPECT_EQ(output({"task", "list", "--all"}), "Write\t\t4\n");
}

TEST_F(ArgumentsTest, HelpAndVersionGoToStandardOutput) {
  ASSERT_EQ(runRaw({"report", "--help"}), 0);
  EXPECT_TRUE(has(out.str(), "--category")) << out.str();
  ASSERT_EQ(runRaw({"--version"}), 0);
  EXPECT_EQ(out.str(), "tallyworks " TALLYWORKS_VERSION "\n");
}

// Every program lists the calendar's commands in its help; tallyworks, whose command line has
// not their group, hands them to tallyworks-sync before parsing (tests/app runs both), and its
// command line refuses them.
TEST_F(ArgumentsTest, TheCalendarCommandsAreKnownEverywhereAndRunOnlyWhereGiven) {
  ASSERT_EQ(runRaw({"--help"}), 0);
  const std::string help = out.str();
  EXPECT_TRUE(has(help, "CalDAV")) << help;
  calendar = false;
  ASSERT_EQ(runRaw({"--help"}), 0);
  EXPECT_EQ(out.str(), help);
  const struct {
    Args args;
    bool calendar;
  } cases[] = {
      {{"sync"}, true},
      {{"--store", "x.db", "ical", "export", "x.ics"}, true},
      {{"--store=x.db", "sync", "conflicts"}, true},
      {{"--help", "ical"}, true},
      {{"--store", "sync", "report"}, false},
      {{"report", "--output", "sync"}, false},
      {{"task", "add", "ical"}, false},
      {{"import", "--from", "ktimetracker", "k.ics"}, true},
      {{"--store", "x.db", "import", "k.ics", "--from=ktimetracker"}, true},
      {{"import", "--from", "gtimelog", "ktimetracker"}, false},
      {{"--version"}, false},
      {{}, false},
  };
  for (const auto& c : cases) {
    const std::string shown = c.args.empty() ? "(none)" : c.args.back();
    EXPECT_EQ(CommandLine::namesCalendarCommand(c.args), c.calendar) << shown;
    if (!c.calendar) continue;
    EXPECT_EQ(runRaw(c.args), 1) << shown;
    EXPECT_TRUE(has(err.str(), "tallyworks-sync")) << err.str();
  }
}

}  // namespace
}  // namespace tw::test
