// The window part of the program on the store named by the first argument, for tests that
// run it as a process of its own.
#include "gui/MainWindowLauncher.h"
#include "store/sqlite/SqliteStoreOpener.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const tw::SqliteStoreOpener stores;
  int windowArgc = 1;
  return tw::MainWindowLauncher::run(windowArgc, argv, stores, argv[1]);
}
