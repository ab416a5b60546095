// The tallyworks executable: with a command it runs on the command line, without one it opens
// the main window; both work on an SQLite store.
#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "gui/MainWindowLauncher.h"
#include "store/StoreLocation.h"
#include "store/sqlite/SqliteStoreOpener.h"

namespace {

bool hasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const tw::SqliteStoreOpener stores;
  if (tw::CommandLine::namesCommand(args)) {
    std::ios::sync_with_stdio(false);
    return tw::CommandLine(std::cin, std::cout, std::cerr, stores).run(args);
  }
  std::string store;
  try {
    store = tw::CommandLine::windowStore(args);
    if (store.empty()) store = tw::StoreLocation::defaultPath();
  } catch (const std::exception& e) {
    std::cerr << "tallyworks: " << e.what() << '\n';
    return tw::CommandLine::kUsage;
  }
  if (!hasDisplay()) {
    std::cerr << "tallyworks: no display: the window needs a graphical session (DISPLAY or "
                 "WAYLAND_DISPLAY is not set); see tallyworks --help for the commands that "
                 "run without one\n";
    return tw::CommandLine::kFailure;
  }
  int windowArgc = 1;
  return tw::MainWindowLauncher::run(windowArgc, argv, stores, store);
}
