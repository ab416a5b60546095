#include "report/TextReport.h"

#include <limits>
#include <stdexcept>

#include "core/DateText.h"
#include "core/DurationText.h"
#include "core/Markers.h"

namespace tw {
namespace {

constexpr const char* kEol = "\r\n";
constexpr const char* kIndent = "    ";

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

DateTime dayOf(const std::string& text, const char* otherwise) {
  return DateText::parse(text.empty() ? otherwise : text).date();
}

}  // namespace

TextReport::TextReport(const ReportRequest& request)
    : from_(dayOf(request.startDate, "1/1/1900")),
      until_(dayOf(request.endDate, "1/1/2999").addDays(1)),
      filter_(request.category),
      text_(heading(request)) {}

std::string TextReport::heading(const ReportRequest& r) {
  const bool hasStart = !r.startDate.empty();
  const bool hasEnd = !r.endDate.empty();
  return std::string("JOURNAL REPORT") + kEol + "Range: " + r.startDate +
         rangeSeparator(hasStart, hasEnd) + r.endDate +
         ", Category: " + (r.category.empty() ? std::string("ALL") : r.category) + kEol;
}

std::string TextReport::withoutEntries(const ReportRequest& request) {
  return heading(request) + kEol + "TOTALS:" + kEol + "-------" + kEol;
}

void TextReport::add(const JournalEntry& e) {
  const DateTime start = e.localStart();
  if (start < from_ || !(start < until_) || !filter_.passes(e.categories)) return;
  const DateTime day = start.date();
  if (!anyDay_ || day != lastDay_) {
    text_ += kEol;
    text_ += '[';
    text_ += DateText::longDate(day);
    text_ += ']';
    text_ += kEol;
    text_ += kEol;
    anyDay_ = true;
    lastDay_ = day;
  }
  if (Markers::isMarkerText(e.type)) {
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

std::string TextReport::finish() {
  text_ += kEol;
  text_ += "TOTALS:";
  text_ += kEol;
  text_ += "-------";
  text_ += kEol;
  for (const CategoryTotals::Total& total : totals_.all()) {
    if (Markers::isMarkerText(total.name)) continue;
    text_ += total.name;
    text_ += ": ";
    DurationText::appendFriendly(text_, wholeMinutes(total.minutes));
    text_ += kEol;
  }
  return std::move(text_);
}

}  // namespace tw
