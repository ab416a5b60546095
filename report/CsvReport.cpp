#include "report/CsvReport.h"

#include <cstdlib>

#include "core/DateText.h"
#include "core/DateTimeError.h"
#include "core/DurationText.h"
#include "core/Markers.h"
#include "core/NumberText.h"

namespace tw {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

bool isNumber(const std::string& text) {
  if (text.empty()) return false;
  char* end = nullptr;
  std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && text.find_first_of("eEnNiI") == std::string::npos;
}

// A cell a spreadsheet would take for a formula gets a leading apostrophe; a cell holding a
// comma, a double quote, CR or LF is quoted, inner quotes doubled.
void appendField(std::string& out, const std::string& field) {
  std::string cell = field;
  if (!cell.empty() && std::string_view("=+-@\t\r").find(cell[0]) != std::string_view::npos &&
      !isNumber(cell))
    cell.insert(cell.begin(), '\'');
  if (cell.find_first_of(",\"\r\n") == std::string::npos) {
    out += cell;
    return;
  }
  out += '"';
  for (const char c : cell) {
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

CsvReport::CsvReport(const ReportRequest& request) : filter_(request.category) {
  if (!request.first || !request.last)
    throw DateTimeError("The CSV table needs its first and its last day");
  first_ = *request.first;
  last_ = *request.last;
  // Days from first through last, counted so that no day past the last is ever formed (the
  // range may end on the last representable day).
  dayCount_ = last_ < first_ ? 0 : (last_.seconds() - first_.seconds()) / kSecondsPerDay + 1;
  daysAtMidnight_ = first_.secondsOfDay() == 0;
}

DateTime CsvReport::dayAt(std::int64_t i) const {
  return first_.addSeconds(i * kSecondsPerDay);
}

void CsvReport::add(const JournalEntry& e) {
  if (!daysAtMidnight_ || !filter_.passes(e.categories)) return;
  totals_.add(e.localStart().date(), e.categories, e.minutes());
}

std::string CsvReport::finish() const {
  std::string text = "category";
  for (std::int64_t i = 0; i < dayCount_; ++i) {
    text += ',';
    text += dayText(dayAt(i));
  }
  text += "\r\n";
  const auto& categories = totals_.categories();
  for (std::size_t c = 0; c < categories.size(); ++c) {
    if (Markers::isMarkerName(categories[c].name)) continue;
    appendField(text, categories[c].name);
    for (std::int64_t i = 0; i < dayCount_; ++i) {
      text += ',';
      text += NumberText::general(DurationText::decimalHours(totals_.minutes(c, dayAt(i))));
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace tw
