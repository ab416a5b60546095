#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "model/DateText.h"
#include "model/Metrics.h"
#include "model/Utilities.h"
#include "reporting/CategoryFilter.h"
#include "reporting/Report.h"

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

// Whole minutes of a total, halves to even; beyond the 32-bit range is an overflow.
std::int32_t wholeMinutes(double total) {
  const double rounded = std::nearbyint(total);
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
        rounded <= std::numeric_limits<std::int32_t>::max())) {
    throw std::overflow_error("Overflow: a total of " + std::to_string(total) + " minutes");
  }
  return static_cast<std::int32_t>(rounded);
}

// An upper bound of the text one entry adds, so that the report is built without regrowing.
std::size_t entrySize(const JournalEntry& e) {
  return e.Category.size() + e.entrytype.size() + e.subject.size() + 160;
}

}  // namespace

std::string Report::Generate() {
  const bool hasStart = !startdate.empty();
  const bool hasEnd = !enddate.empty();
  std::string text = "JOURNAL REPORT";
  text += kEol;
  text += "Range: " + startdate + rangeSeparator(hasStart, hasEnd) + enddate +
          ", Category: " + (Category.empty() ? std::string("ALL") : Category) + kEol;
  if (!hasStart) startdate = "1/1/1900";
  if (!hasEnd) enddate = "1/1/2999";

  order();
  Metrics totals;
  if (!entries_.empty()) {
    // An entry is taken from midnight of the first day to the end of the last day; the
    // entries in between form one run of the ordered list.
    const DateTime from = DateText::parse(startdate).date();
    const DateTime until = DateText::parse(enddate).date().addDays(1);
    const auto first = std::lower_bound(starts_.begin(), starts_.end(), from);
    const auto last = std::lower_bound(first, starts_.end(), until);
    const std::size_t begin = static_cast<std::size_t>(first - starts_.begin());
    const std::size_t end = static_cast<std::size_t>(last - starts_.begin());

    std::size_t size = text.size() + 64;
    for (std::size_t i = begin; i < end; ++i) size += entrySize(*entries_[i]);
    text.reserve(size);

    CategoryFilter filter(Category);
    bool anyDay = false;
    DateTime lastDay;
    for (std::size_t i = begin; i < end; ++i) {
      const JournalEntry& e = *entries_[i];
      if (!filter.passes(e.Category)) continue;
      const DateTime day = e.start.date();
      if (!anyDay || day != lastDay) {
        text += kEol;
        text += '[';
        text += DateText::longDate(day);
        text += ']';
        text += kEol;
        text += kEol;
        anyDay = true;
        lastDay = day;
      }
      if (Utilities::isEventMarker(e.entrytype)) {
        text += "  ";
        text += e.subject;
        text += ": ";
        text += DateText::generalDate(e.start);
        text += kEol;
        text += kEol;
        continue;
      }
      text += kIndent;
      text += e.Category;
      text += ": ";
      e.appendFriendlyDuration(text);
      text += " (";
      text += e.entrytype;
      text += ')';
      text += kEol;
      text += kIndent;
      DateText::appendLongTime(text, e.start.secondsOfDay());
      if (e.duration > 0) {
        // Only the time of day is shown, so an entry running past midnight (or past the last
        // representable day) wraps around the clock.
        const std::int64_t endOfDay =
            (e.start.secondsOfDay() + static_cast<std::int64_t>(e.duration) * 60) % 86400;
        text += " through ";
        DateText::appendLongTime(text, static_cast<int>(endOfDay));
      }
      text += kEol;
      text += kIndent;
      text += e.subject;
      text += kEol;
      text += kEol;
      totals.Add(e.Category, e.duration);
    }
  }

  text += kEol;
  text += "TOTALS:";
  text += kEol;
  text += "-------";
  text += kEol;
  for (const Metric& m : totals.GetAll()) {
    if (Utilities::isEventMarker(m.name)) continue;
    JournalEntry total;
    total.duration = wholeMinutes(m.value);
    text += m.name + ": " + total.friendlyDuration() + kEol;
  }
  return text;
}

}  // namespace tw
