#include "report/TextReport.h"

#include <limits>
#include <stdexcept>
#include <utility>

#include "core/DateText.h"
#include "core/DurationText.h"
#include "core/Markers.h"

namespace tw {
namespace {

constexpr const char* kEol = "\r\n";
constexpr const char* kIndent = "    ";
// The text is handed on at the start of a day once this much has gathered.
constexpr std::size_t kPieceBytes = 64 * 1024;

const char* rangeSeparator(bool hasStart, bool hasEnd) {
  if (hasStart && hasEnd) return " through ";
  if (hasStart) return " ->";
  if (hasEnd) return "<- ";
  return "ALL";
}

std::int32_t wholeMinutes(std::int64_t total) {
  if (total < std::numeric_limits<std::int32_t>::min() ||
      total > std::numeric_limits<std::int32_t>::max())
    throw std::overflow_error("Overflow: a total of " + std::to_string(total) + " minutes");
  return static_cast<std::int32_t>(total);
}

DateTime dayOf(const std::optional<DateTime>& bound, DateTime otherwise) {
  return bound.value_or(otherwise).date();
}

}  // namespace

TextReport::TextReport(const ReportRequest& request, ReportSink out)
    : firstDay_(dayOf(request.first, DateTime::fromParts(1900, 1, 1))),
      lastDay_(dayOf(request.last, DateTime::fromParts(2999, 1, 1))),
      filter_(request.category),
      out_(std::move(out)),
      text_(heading(request)) {
  // The range ends before the day after its last, which the last day there is has not.
  static_cast<void>(lastDay_.addDays(1));
  text_.reserve(kPieceBytes * 2);
}

std::string TextReport::heading(const ReportRequest& r) {
  return std::string("JOURNAL REPORT") + kEol + "Range: " + r.firstText +
         rangeSeparator(!r.firstText.empty(), !r.lastText.empty()) + r.lastText +
         ", Category: " + (r.category.empty() ? std::string("ALL") : r.category) + kEol;
}

std::string TextReport::withoutEntries(const ReportRequest& request) {
  return heading(request) + kEol + "TOTALS:" + kEol + "-------" + kEol;
}

void TextReport::add(const JournalEntry& e) {
  if (!filter_.passes(e.categories)) return;
  const DateTime start = e.localStart();
  const DateTime day = start.date();
  if (!anyDay_ || day != shownDay_) {
    if (text_.size() >= kPieceBytes) handOn();
    text_ += kEol;
    text_ += '[';
    text_ += DateText::longDate(day);
    text_ += ']';
    text_ += kEol;
    text_ += kEol;
    anyDay_ = true;
    shownDay_ = day;
  }
  if (Markers::isMarker(e)) {
    addMarker(e, start);
  } else {
    addWork(e, start);
  }
}

void TextReport::addMarker(const JournalEntry& e, DateTime start) {
  text_ += "  ";
  text_ += e.subject;
  text_ += ": ";
  text_ += DateText::generalDate(start);
  text_ += kEol;
  text_ += kEol;
}

void TextReport::addWork(const JournalEntry& e, DateTime start) {
  const std::int32_t minutes = e.minutes();
  text_ += kIndent;
  text_ += e.categories;
  text_ += ": ";
  DurationText::appendFriendly(text_, minutes);
  text_ += " (";
  text_ += e.type;
  text_ += ')';
  text_ += kEol;
  text_ += kIndent;
  DateText::appendLongTime(text_, start.secondsOfDay());
  if (minutes > 0) {
    // The end as the clocks show it then: across a change of the clocks it moves with them.
    // Only the time of day is shown, so an entry running past midnight wraps around the clock.
    const DateTime end =
        zone_.readingAfter(e.start, e.utcOffset, static_cast<std::int64_t>(minutes) * 60);
    text_ += " through ";
    DateText::appendLongTime(text_, end.secondsOfDay());
  }
  text_ += kEol;
  text_ += kIndent;
  text_ += e.subject;
  text_ += kEol;
  text_ += kEol;
  totals_.add(e.categories, minutes);
}

void TextReport::handOn() {
  out_(text_);
  text_.clear();
}

void TextReport::finish() {
  text_ += kEol;
  text_ += "TOTALS:";
  text_ += kEol;
  text_ += "-------";
  text_ += kEol;
  for (const CategoryTotals::Total& total : totals_.all()) {
    if (Markers::isMarkerName(total.name)) continue;
    text_ += total.name;
    text_ += ": ";
    DurationText::appendFriendly(text_, wholeMinutes(total.minutes));
    text_ += kEol;
  }
  handOn();
}

}  // namespace tw
