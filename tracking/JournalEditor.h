#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/Clock.h"
#include "core/EntryRules.h"
#include "core/JournalEntry.h"
#include "store/JournalStore.h"
#include "tracking/EntryTypeRule.h"

namespace tw {

// Corrections of the journal by hand, for every front end: entries added after the fact
// ("I forgot to start"), changed, split and deleted, and work markers placed. Each call is one
// transaction; bad input throws TrackingError and changes nothing.
class JournalEditor {
 public:
  // Entries may last up to this many minutes (EntryRules, which every change is checked by).
  static constexpr std::int64_t kMostMinutes = EntryRules::kMostMinutes;

  JournalEditor(JournalStore& store, EntryTypeRule entryTypes);

  // A task entry of the task named, from start to end (local times of this zone).
  JournalEntry add(std::string_view taskSubject, DateTime start, DateTime end);
  // A task entry of the task named, starting where `at` starts (see placed) and lasting the
  // seconds given.
  JournalEntry add(std::string_view taskSubject, const JournalEntry& at, std::int64_t seconds);
  // Stores the entry as edited; its start is read as a local time of this zone when it moved.
  void change(const JournalEntry& entry);
  // Not the entry being timed.
  void remove(std::int64_t id);
  // Stores a removed entry again as it was, its uid kept (undoing a removal).
  JournalEntry restore(JournalEntry entry);
  // Cuts the entry at a moment inside it: the entry keeps the part before, a new entry of the
  // same task the part after. Returns the new entry. Not the entry being timed.
  JournalEntry split(std::int64_t id, DateTime at);
  // A "Start Work" or "Stop Work" marker at a local time, not later than now: a marker tells
  // when work began or ended, which cannot lie ahead.
  JournalEntry addMarker(bool opening, DateTime at, Instant now);
  // Moves a marker to a local time, not later than now.
  JournalEntry moveMarker(const JournalEntry& marker, DateTime at, Instant now);
  // The "Start Work" of the day of `at` that a new one there would repeat (no "Stop Work"
  // between them), to offer moving it instead; the one before `at` first.
  std::optional<JournalEntry> startWorkToMove(DateTime at);

  // Throws TrackingError when the entry is a work marker placed later than now.
  static void refuseMarkerAhead(const JournalEntry& entry, Instant now);
  // The entry started at a local time: of this zone (TimeZone::entered: a time the clocks skip
  // is refused, one they repeat is the first), or under the UTC offset given.
  static JournalEntry placed(JournalEntry entry, DateTime localStart,
                             std::optional<std::int32_t> utcOffset = std::nullopt);
  // A start or end typed for the entry ("22:05", "10:05 PM", "3/12/2024 9:00"), as a local
  // time: a time alone is on the day the entry starts, an end before the start on the next
  // day. Throws DateTimeError saying what is wrong with the text.
  static DateTime typedTime(const JournalEntry& entry, std::string_view text, bool end);

 private:
  JournalEntry existing(std::int64_t id);
  static JournalEntry placedMarker(const JournalEntry& marker, DateTime at, Instant now);
  static void check(const JournalEntry& entry);

  JournalStore& store_;
  EntryTypeRule entryTypes_;
};

}  // namespace tw
