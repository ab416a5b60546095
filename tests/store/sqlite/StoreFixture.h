#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "RawDatabase.h"
#include "core/DateTime.h"
#include "core/JournalEntry.h"
#include "core/ManualClock.h"
#include "core/TimeZone.h"
#include "store/StoreError.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "tests/support/Entries.h"
#include "tests/support/FailureOf.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextEdits.h"

namespace tw::test {

// A store of its own in a temporary folder, with a hand-driven clock for modified times.
class StoreFixture : public ::testing::Test {
 protected:
  std::unique_ptr<SqliteJournalStore> open(Database::Mode mode = Database::Mode::Create,
                                           int busyMs = 3000) const {
    return std::make_unique<SqliteJournalStore>(path,
                                                SqliteJournalStore::Options{mode, busyMs, &clock});
  }

  static JournalEntry entry(const std::string& subject, DateTime localStart,
                            std::int64_t seconds = 0, const std::string& type = "Task") {
    return localEntry(subject, localStart, seconds, type);
  }

  static DateTime day(int d, int hour = 9) { return DateTime::fromParts(2024, 3, d, hour); }

  // An entry recorded where the UTC offset was offsetHours.
  static JournalEntry entryAt(const std::string& subject, DateTime localStart, int offsetHours) {
    JournalEntry e = entry(subject, localStart);
    e.utcOffset = offsetHours * 3600;
    e.start = Instant::fromLocal(localStart, e.utcOffset);
    return e;
  }

  static std::vector<std::string> subjectsOfDays(JournalStore& s, std::optional<DateTime> first,
                                                 std::optional<DateTime> last) {
    std::vector<std::string> out;
    s.readDays(first, last, [&](JournalStore::EntryBatch batch) {
      for (const JournalEntry& e : batch) out.push_back(e.subject);
    });
    return out;
  }

  // The description of the store's failure, or "" when f succeeds.
  static std::string failureOf(const std::function<void()>& f) {
    return test::failureOf<StoreError>(f);
  }
  static ::testing::AssertionResult fails(const std::function<void()>& f, const std::string& part) {
    return test::failsWith<StoreError>(f, part);
  }

  // Runs body as an ordinary user who may read the store but write neither it nor its folder,
  // and gives what asOrdinaryUser gives: "" when body ran through, else what it threw. The
  // owner may write both again after.
  std::string asReader(const std::function<void()>& body) const {
    chmod(path.c_str(), 0444);
    chmod(folder.path().c_str(), 0555);
    const std::string failure = asOrdinaryUser(body);
    chmod(folder.path().c_str(), 0700);
    chmod(path.c_str(), 0600);
    return failure;
  }

  TempFolder folder;
  std::string path = folder.file("store.db");
  ManualClock clock{Instant::fromUnix(1'700'000'000)};
};

}  // namespace tw::test
