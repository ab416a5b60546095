#include <gtest/gtest.h>

#include <string>

#include "core/DateTime.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "tests/support/Entries.h"

// `tw_store_tests --other-process STORE` is the other process of the process tests: a fresh
// program (not a fork, which would share this one's SQLite state) that writes one entry to the
// store and exits, as a command of the command line would.
int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--other-process") {
    tw::SqliteJournalStore store(argv[2]);
    store.addEntry(
        tw::test::localEntry("From the other process", tw::DateTime::fromParts(2024, 3, 5, 9), 60));
    return store.entry(1) ? 0 : 1;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
