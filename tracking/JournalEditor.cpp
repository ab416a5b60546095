#include "tracking/JournalEditor.h"

#include "core/DateText.h"
#include "core/EntryRules.h"
#include "core/Markers.h"
#include "core/TimeZone.h"
#include "tracking/TaskList.h"
#include "tracking/TrackingError.h"
#include "tracking/WorkMarkers.h"

namespace tw {

JournalEditor::JournalEditor(JournalStore& store, EntryTypeRule entryTypes)
    : store_(store), entryTypes_(std::move(entryTypes)) {}

DateTime JournalEditor::typedTime(const JournalEntry& entry, std::string_view text, bool end) {
  const DateTime typed = DateText::parse(text);
  if (typed.date() != DateTime()) return typed;
  const DateTime start = entry.localStart();
  const DateTime at = start.date().addSeconds(typed.secondsOfDay());
  return end && at < start ? at.addDays(1) : at;
}

JournalEntry JournalEditor::placed(JournalEntry entry, DateTime localStart,
                                   std::optional<std::int32_t> utcOffset) {
  const TimeZone::Reading r =
      utcOffset ? TimeZone::Reading{Instant::fromLocal(localStart, *utcOffset), *utcOffset}
                : TimeZone::entered(localStart);
  entry.start = r.instant;
  entry.utcOffset = r.offset;
  return entry;
}

void JournalEditor::check(const JournalEntry& e) {
  const std::string why = EntryRules::whyInvalid(e);
  if (!why.empty()) throw TrackingError("The entry cannot be stored: " + why);
}

JournalEntry JournalEditor::existing(std::int64_t id) {
  std::optional<JournalEntry> e = store_.entry(id);
  if (!e) throw TrackingError("The journal entry is no longer in the store");
  return *e;
}

JournalEntry JournalEditor::add(std::string_view taskSubject, DateTime start, DateTime end) {
  const JournalEntry at = placed(JournalEntry{}, start);
  return add(taskSubject, at, TimeZone::fromLocal(end).secondsSince(at.start));
}

JournalEntry JournalEditor::add(std::string_view taskSubject, const JournalEntry& at,
                                std::int64_t seconds) {
  const TaskList tasks(store_.tasks());
  const Task* task = tasks.find(taskSubject);
  if (!task) throw TrackingError("There is no open task \"" + std::string(taskSubject) + "\"");
  JournalEntry e = at;
  e.seconds = seconds;
  e.subject = task->subject;
  e.categories = task->categories;
  e.type = entryTypes_.taskEntryType();
  e.taskUid = task->uid;
  check(e);
  return store_.addEntry(std::move(e));
}

void JournalEditor::change(const JournalEntry& entry) {
  check(entry);
  store_.updateEntry(entry);
}

void JournalEditor::remove(std::int64_t id) {
  store_.transact([&] {
    if (store_.timer().entryId == id)
      throw TrackingError("The entry is being timed; pause or stop first, then delete it");
    store_.deleteEntry(id);
  });
}

JournalEntry JournalEditor::restore(JournalEntry entry) {
  check(entry);
  entry.id = 0;
  return store_.addEntry(std::move(entry));
}

JournalEntry JournalEditor::split(std::int64_t id, DateTime at) {
  JournalEntry after;
  store_.transact([&] {
    JournalEntry before = existing(id);
    // Its timer would go on writing the whole time into the first part.
    if (store_.timer().entryId == id)
      throw TrackingError("The entry being timed cannot be split; pause first");
    const std::int64_t cut = TimeZone::fromLocal(at).secondsSince(before.start);
    if (cut <= 0 || cut >= before.seconds)
      throw TrackingError("The moment to split at lies outside the entry");
    after = placed(before, at);
    after.id = 0;
    after.uid.clear();
    after.seconds = before.seconds - cut;
    before.seconds = cut;
    store_.updateEntry(before);
    after = store_.addEntry(after);
  });
  return after;
}

void JournalEditor::refuseMarkerAhead(const JournalEntry& entry, Instant now) {
  if (Markers::isMarker(entry) && now < entry.start)
    throw TrackingError("A work marker cannot be placed later than now (" +
                        DateText::generalDate(TimeZone::toLocal(now)) + ")");
}

JournalEntry JournalEditor::placedMarker(const JournalEntry& marker, DateTime at, Instant now) {
  JournalEntry e = placed(marker, at);
  refuseMarkerAhead(e, now);
  return e;
}

JournalEntry JournalEditor::addMarker(bool opening, DateTime at, Instant now) {
  return store_.addEntry(placedMarker(WorkMarkers::marker(opening, Instant{}), at, now));
}

JournalEntry JournalEditor::moveMarker(const JournalEntry& marker, DateTime at, Instant now) {
  const JournalEntry moved = placedMarker(marker, at, now);
  change(moved);
  return moved;
}

std::optional<JournalEntry> JournalEditor::startWorkToMove(DateTime at) {
  // The day's last marker up to `at`, when it opens work, and its first marker after `at`.
  std::optional<JournalEntry> before, next;
  store_.readDays(at.date(), at.date(), [&](JournalStore::EntryBatch batch) {
    for (const JournalEntry& e : batch) {
      if (!Markers::isMarker(e)) continue;
      if (at < e.localStart()) {
        if (!next) next = e;
      } else {
        before = Markers::opensWork(e) ? std::optional(e) : std::nullopt;
      }
    }
  });
  if (before) return before;
  if (next && Markers::opensWork(*next)) return next;
  return std::nullopt;
}

}  // namespace tw
