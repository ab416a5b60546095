#include <algorithm>
#include <memory>

#include "model/DateText.h"
#include "model/DaysMetrics.h"
#include "model/Metrics.h"
#include "model/NumberText.h"
#include "model/Utilities.h"
#include "reporting/CategoryFilter.h"
#include "reporting/Report.h"

namespace tw {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// A field holding a comma, a double quote, CR or LF is quoted, inner quotes doubled.
void appendField(std::string& out, const std::string& field) {
  if (field.find_first_of(",\"\r\n") == std::string::npos) {
    out += field;
    return;
  }
  out += '"';
  for (const char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// The header text of a day of the range: its short date (a bound read with a time of day
// keeps that time).
std::string dayText(DateTime d) {
  return d.secondsOfDay() == 0 ? DateText::shortDate(d) : DateText::generalDate(d);
}

}  // namespace

std::string Report::CSV() const {
  const DateTime last = DateText::parse(enddate);
  const DateTime first = DateText::parse(startdate);
  // Days from first through last, counted so that no day past the last is ever formed (the
  // range may end on the last representable day).
  const std::int64_t dayCount =
      last < first ? 0 : (last.seconds() - first.seconds()) / kSecondsPerDay + 1;
  const auto dayAt = [&](std::int64_t i) { return first.addSeconds(i * kSecondsPerDay); };

  order();
  DaysMetrics days;
  CategoryFilter filter(Category);
  // An entry counts on the day equal to midnight of its start; a bound carrying a time of day
  // makes every day a time no entry's day equals.
  const bool daysAtMidnight = first.secondsOfDay() == 0;
  // Days without a counting entry share one empty Metrics: it adds no name and no minutes.
  const auto noMinutes = std::make_shared<Metrics>();
  auto next = starts_.begin();
  for (std::int64_t i = 0; i < dayCount; ++i) {
    const DateTime d = dayAt(i);
    std::shared_ptr<Metrics> cm;
    if (daysAtMidnight) {
      next = std::lower_bound(next, starts_.end(), d);
      for (; next != starts_.end() && next->date() == d; ++next) {
        const JournalEntry& e = *entries_[static_cast<std::size_t>(next - starts_.begin())];
        if (!filter.passes(e.Category)) continue;
        if (!cm) cm = std::make_shared<Metrics>();
        cm->Add(e.Category, e.duration);
      }
    }
    days.addDay(d, cm ? cm : noMinutes);
  }

  std::string text = "category";
  for (std::int64_t i = 0; i < dayCount; ++i) {
    text += ',';
    text += dayText(dayAt(i));
  }
  text += "\r\n";

  JournalEntry cell;
  for (const tw::Category& c : days.categories()) {
    if (Utilities::isEventMarker(c.sCategory)) continue;
    appendField(text, c.sCategory);
    for (std::int64_t i = 0; i < dayCount; ++i) {
      cell.duration = days.getMetric(dayAt(i), c.sCategory);
      text += ',';
      text += NumberText::general(cell.decimalDuration());
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace tw
