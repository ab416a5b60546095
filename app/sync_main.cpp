// tallyworks-sync: the calendar's commands (sync, ical: tallyworks sync --help, and import --from
// ktimetracker, whose file is iCalendar), the only
// command program that loads the network and calendar libraries. Started by tallyworks with
// its own arguments; the other commands run here too.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/sync/SyncCommands.h"
#include "import/ical/KtimetrackerReader.h"
#include "store/sqlite/SqliteStoreOpener.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const tw::SqliteStoreOpener stores;
  tw::CommandLine::Seams seams;
  seams.calendar = [](CLI::App& sync, CLI::App& ical, tw::CommandChoice& choice) {
    return std::make_unique<tw::SyncCommands>(sync, ical, choice);
  };
  seams.ktimetracker = tw::KtimetrackerReader::read;
  std::ios::sync_with_stdio(false);
  return tw::CommandLine(std::cin, std::cout, std::cerr, stores, seams).run(args);
}
