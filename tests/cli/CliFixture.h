#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/sync/SyncCommands.h"
#include "core/ManualClock.h"
#include "import/ical/KtimetrackerReader.h"
#include "store/sqlite/SqliteStoreOpener.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextEdits.h"

namespace tw::test {

// One case of a command: its arguments (after --store STORE), its standard input, the exit
// code and a part of what it writes to standard error ("" for nothing).
struct CommandCase {
  std::vector<std::string> args;
  std::string input;
  int code;
  std::string message;
};

// The command line on a real store in a fresh folder, its output kept in strings.
class CliTest : public ::testing::Test {
 protected:
  // Task entries get the type "Task": no registry file of the user's is read.
  CliTest() { setenv("XDG_CONFIG_HOME", folder.path().c_str(), 1); }

  // Runs args as given, without adding --store.
  int runRaw(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    out.str("");
    err.str("");
    CommandLine::Seams seams;
    seams.isTerminal = [this](const std::ostream&) { return terminal; };
    seams.clock = &clock;
    if (calendar) {
      seams.calendar = [](CLI::App& sync, CLI::App& ical, CommandChoice& choice) {
        return std::make_unique<SyncCommands>(sync, ical, choice);
      };
      seams.ktimetracker = KtimetrackerReader::read;
    }
    return CommandLine(in, *stdout_, err, opener, seams).run(args);
  }
  int run(std::vector<std::string> args, const std::string& input = "") {
    args.insert(args.begin(), {"--store", store});
    return runRaw(args, input);
  }
  // Runs the command and expects it to succeed; returns its output.
  std::string output(const std::vector<std::string>& args, const std::string& input = "") {
    EXPECT_EQ(run(args, input), 0) << err.str();
    return out.str();
  }
  void expectCase(const CommandCase& c) {
    EXPECT_EQ(run(c.args, c.input), c.code) << c.args[0] << ' ' << err.str();
    const std::string e = err.str();
    if (c.message.empty()) {
      EXPECT_EQ(e, "");
      return;
    }
    EXPECT_TRUE(has(e, c.message)) << e;
    EXPECT_EQ(e.rfind("tallyworks: ", 0), 0u) << e;
    EXPECT_EQ(e.find('\n'), e.size() - 1) << "one line: " << e;
  }
  // Writes standard output to stream instead of the string out.
  void sendOutputTo(std::ostream& stream) { stdout_ = &stream; }

  TempFolder folder;
  std::string store = folder.file("store.db");
  SqliteStoreOpener opener;
  ManualClock clock{Instant::fromUnix(1'709'280'000)};  // 2024-03-01 08:00 UTC
  bool terminal = false;
  // Whether the command line runs the calendar's commands, as tallyworks-sync does.
  bool calendar = true;
  std::ostringstream out;
  std::ostringstream err;

 private:
  std::ostream* stdout_ = &out;
};

}  // namespace tw::test
