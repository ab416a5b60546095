// tallyworks-window: the main window on the store given as --store PATH. Started by tallyworks
// when it is given no command.
#include <cstring>
#include <iostream>
#include <string>

#include "gui/main/MainWindowLauncher.h"
#include "store/sqlite/SqliteStoreOpener.h"

int main(int argc, char** argv) {
  if (argc != 3 || std::strcmp(argv[1], "--store") != 0 || !*argv[2]) {
    std::cerr << "tallyworks-window: usage: tallyworks-window --store PATH (tallyworks starts "
                 "it)\n";
    return 2;
  }
  const std::string store = argv[2];
  const tw::SqliteStoreOpener stores;
  int windowArgc = 1;
  return tw::MainWindowLauncher::run(windowArgc, argv, stores, store);
}
