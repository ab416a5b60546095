#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>

#include "core/Instant.h"
#include "core/JournalEntry.h"
#include "import/ForeignJournal.h"
#include "import/ImportSummary.h"
#include "store/ImportLedger.h"
#include "store/JournalStore.h"

namespace tw {

// Takes another program's journal into the store, all or nothing, in one transaction:
// - every entry is checked first; one that may not be stored fails the import, saying where
//   it stands and why;
// - an entry whose identity this source never brought is added; its task is made when no task
//   of its subject exists (closed when the source says it is done, or when nothing was timed
//   for it in the last kRecentDays days);
// - one brought before is left alone when unchanged, brought up to date when it changed in
//   the source, and kept as it is when it was changed or deleted here since;
// - the interval being timed in the source becomes the running timer when none runs and it has
//   not run longer than an entry may last; else it is only reported;
// - when a period of work was open before, the marker that opened it stays the one written
//   last, so the imported days' markers do not close it.
// A dry run does the same reading and counting without changing anything (the store may be
// null then: a store not made yet).
class Importer {
 public:
  static constexpr std::int64_t kRecentDays = 30;

  struct Options {
    bool dryRun = false;
    Instant now;
    // The type of task entries (EntryTypeRule).
    std::string entryType = "Task";
  };

  Importer(JournalStore* store, ImportLedger* ledger, Options options);
  // Throws ImportError for an entry that may not be stored, StoreError when the store fails.
  ImportSummary run(ForeignJournal journal);

 private:
  void plan();
  void take(ForeignEntry& item);
  JournalEntry entryOf(const ForeignEntry& item) const;
  // Notes that the interval being timed in the source is left out, and why.
  void notImported(const JournalEntry& entry, const std::string& why);
  void add(JournalEntry entry, const ForeignEntry& item, std::uint64_t digest);
  void update(JournalEntry entry, const ImportLedger::Record& record, std::uint64_t digest);
  std::string taskUid(const JournalEntry& entry);
  bool timeIt(const JournalEntry& entry, const ForeignEntry& item);
  void remember(const std::string& identity, const JournalEntry& stored, std::uint64_t digest);
  void keepOpenPeriod(const std::optional<JournalEntry>& opener);

  JournalStore* store_;
  ImportLedger* ledger_;
  Options options_;
  ForeignJournal journal_;
  ImportSummary summary_;
  std::unordered_map<std::string, ImportLedger::Record> records_;
  std::unordered_map<std::string, std::string> taskUids_;
  std::map<std::string, Instant> latestStart_;
  bool timerRuns_ = false;
};

}  // namespace tw
