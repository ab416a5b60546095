#include "tracking/JournalProblems.h"

#include <algorithm>

#include "core/DateText.h"
#include "core/EntryRules.h"
#include "core/Markers.h"

namespace tw {
namespace {

Instant endOf(const JournalEntry& e) {
  return e.start.plus(e.seconds);
}

// "3/11/2024 9:00:00 AM".
std::string startText(const JournalEntry& e) {
  return DateText::generalDate(e.localStart());
}

// ""Design" (3/11/2024 9:00:00 AM, 60 min)".
std::string named(const JournalEntry& e) {
  return "\"" + e.subject + "\" (" + startText(e) + ", " + std::to_string(e.minutes()) + " min)";
}

std::string overlapText(const JournalEntry& with, std::int64_t seconds) {
  return "overlaps " + named(with) + " by " + std::to_string((seconds + 59) / 60) +
         " min: that time would be billed twice";
}

}  // namespace

std::string JournalProblems::Problem::why() const {
  switch (kind) {
    case Kind::Overlap:
      return overlapText(*other, seconds);
    case Kind::Future:
      if (Markers::isMarker(entry))
        return "lies in the future (" + startText(entry) +
               "), where no work can have begun or ended yet";
      return "ends in the future (" + DateText::generalDate(endOf(entry).local(entry.utcOffset)) +
             "): no work can have ended there yet";
    default:
      return "is a second \"Start Work\" without a \"Stop Work\" after the one at " +
             startText(*other);
  }
}

std::string JournalProblems::Problem::whyOther() const {
  return kind == Kind::Overlap ? overlapText(entry, seconds) : std::string();
}

JournalProblems::JournalProblems(Instant now, Sink sink) : now_(now), sink_(std::move(sink)) {}

void JournalProblems::add(const JournalEntry& entry) {
  if (!EntryRules::whyInvalid(entry).empty()) return;
  const bool future = Markers::isMarker(entry) ? now_ < entry.start : now_ < endOf(entry);
  if (future) sink_(Problem{Kind::Future, entry, std::nullopt, 0});
  if (Markers::isMarker(entry))
    judgeMarker(entry);
  else if (Markers::countsAsWork(entry) && entry.seconds > 0)
    judgeWork(entry);
}

void JournalProblems::judgeMarker(const JournalEntry& marker) {
  if (!Markers::opensWork(marker)) {
    openStart_.reset();
    return;
  }
  if (openStart_) sink_(Problem{Kind::SecondStart, marker, openStart_, 0});
  openStart_ = marker;
}

void JournalProblems::judgeWork(const JournalEntry& entry) {
  if (reaching_) {
    const std::int64_t overlap = std::min(endOf(entry), endOf(*reaching_))
                                     .secondsSince(std::max(entry.start, reaching_->start));
    if (overlap >= kLeastOverlapSeconds) sink_(Problem{Kind::Overlap, entry, reaching_, overlap});
    if (endOf(entry) <= endOf(*reaching_)) return;
  }
  reaching_ = entry;
}

void JournalProblems::scan(JournalStore& store, std::optional<DateTime> first,
                           std::optional<DateTime> last, Instant now, const Sink& sink) {
  JournalProblems problems(now, sink);
  store.readDays(first, last, [&](JournalStore::EntryBatch batch) {
    for (const JournalEntry& e : batch) problems.add(e);
  });
}

}  // namespace tw
