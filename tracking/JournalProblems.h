#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/DateTime.h"
#include "core/Instant.h"
#include "core/JournalEntry.h"
#include "store/JournalStore.h"

namespace tw {

// What keeps a journal from being billed as it stands: entries that overlap (the time would be
// billed twice), entries that end in the future (or markers placed there, by another
// computer's clock or an import), and a second "Start Work" without a "Stop Work" between. The
// entries are taken one by one in start order, day after day (JournalStore::readDays), and
// judged against the few that came before: memory stays the same however long the journal.
// (Days are those of each entry's own wall clock, so entries recorded in zones far apart may
// come out of real-time order at a day's edge: an overlap between such is found only when the
// later one in the stream reaches into the one that reaches furthest.)
// Entries holding values no longer accepted (EntryRules) are left to that rule. Every window
// and command that warns about such entries asks here.
class JournalProblems {
 public:
  enum class Kind { Overlap, Future, SecondStart };
  struct Problem {
    Kind kind = Kind::Overlap;
    // The entry at fault: the later of two that overlap.
    JournalEntry entry;
    // The entry it overlaps, or the "Start Work" still open before it.
    std::optional<JournalEntry> other;
    // How long an overlap lasts.
    std::int64_t seconds = 0;

    // For people: "overlaps "Design" (3/11/2024 9:00:00 AM, 60 min) by 30 min: ...".
    std::string why() const;
    // What the other entry is told: "overlaps "Write" ..." for an overlap, else empty.
    std::string whyOther() const;
  };
  using Sink = std::function<void(const Problem&)>;

  // Overlaps shorter than this are the clock's noise between one entry's end and the next
  // one's start, not work billed twice.
  static constexpr std::int64_t kLeastOverlapSeconds = 60;

  // Judged at the instant now.
  JournalProblems(Instant now, Sink sink);

  // The next entry in start order.
  void add(const JournalEntry& entry);

  // The entries of the days first through last (no bound where none is given), as the store
  // hands them over.
  static void scan(JournalStore& store, std::optional<DateTime> first, std::optional<DateTime> last,
                   Instant now, const Sink& sink);

 private:
  void judgeMarker(const JournalEntry& marker);
  void judgeWork(const JournalEntry& entry);

  Instant now_;
  Sink sink_;
  // The entry of work that reaches furthest so far, and the "Start Work" still open.
  std::optional<JournalEntry> reaching_;
  std::optional<JournalEntry> openStart_;
};

}  // namespace tw
