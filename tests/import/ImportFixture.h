#pragma once

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <utility>

#include "../cli/CliFixture.h"
#include "core/DateText.h"
#include "core/TimeZone.h"
#include "tests/support/ScopedTimeZone.h"

namespace tw::test {

// The command line on a fresh store in Europe/Berlin, where the files of tests/import/data were
// made, with what the store then holds summed up.
class ImportTest : public CliTest {
 public:
  // (local day YYYY-MM-DD, subject) -> seconds.
  using Totals = std::map<std::pair<std::string, std::string>, std::int64_t>;

 protected:
  static std::string data(const std::string& name) {
    return std::string(TW_IMPORT_DATA) + "/" + name;
  }
  // The seconds of the entries of work per local day of their start and subject; with
  // splitAtMidnight the part of an entry on each local day, as Timewarrior counts.
  Totals totals(bool splitAtMidnight = false) {
    Totals out;
    if (!std::filesystem::exists(store_)) return out;
    const auto store = opener.open(store_, StoreOpener::Access::ReadOnly);
    store->visitAll([&](const JournalEntry& e) {
      if (e.type == "TWEvent") return true;
      Instant from = e.start;
      const Instant end = e.start.plus(e.seconds);
      while (splitAtMidnight && from < end) {
        const DateTime day = TimeZone::toLocal(from).date();
        const Instant midnight = TimeZone::fromLocal(day.addDays(1));
        const Instant until = std::min(end, midnight);
        out[{DateText::iso(day).substr(0, 10), e.subject}] += until.secondsSince(from);
        from = until;
      }
      if (!splitAtMidnight)
        out[{DateText::iso(e.localStart()).substr(0, 10), e.subject}] += e.seconds;
      return true;
    });
    return out;
  }
  // Every entry as the journal exports it, to see that nothing changed.
  std::string journal() { return output({"journal", "export"}); }

  ScopedTimeZone zone_{"Europe/Berlin"};
  std::string& store_ = store;
};

// Hamster's database, which tests/import/data keeps as its SQL dump, made again at path.
inline std::string hamsterDatabase(const std::string& path) {
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  const std::string dump = readBytes(std::string(TW_IMPORT_DATA) + "/hamster.sql");
  const int loaded = sqlite3_exec(db, dump.c_str(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
  if (loaded != SQLITE_OK) throw std::runtime_error("hamster.sql cannot be loaded into " + path);
  return path;
}

constexpr std::int64_t hms(int h, int m, int s) {
  return h * 3600 + m * 60 + s;
}

}  // namespace tw::test
