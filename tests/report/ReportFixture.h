#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/DateTime.h"
#include "core/JournalEntry.h"
#include "core/TimeZone.h"
#include "report/CsvReport.h"
#include "report/TextReport.h"
#include "tests/support/Entries.h"

namespace tw::test {

inline JournalEntry entry(DateTime localStart, std::int32_t minutes, std::string categories,
                          std::string subject = "Work", std::string type = "Task") {
  JournalEntry e =
      localEntry(std::move(subject), localStart, std::int64_t{minutes} * 60, std::move(type));
  e.categories = std::move(categories);
  return e;
}

inline JournalEntry startMarker(DateTime at) {
  return entry(at, 0, "Tallyworks Start", "Start Work", "TWEvent");
}

inline JournalEntry stopMarker(DateTime at) {
  return entry(at, 0, "Tallyworks Stop", "Stop Work", "TWEvent");
}

inline ReportRequest request(const char* from, const char* to, const char* category = "") {
  return ReportRequest::typed(category, from, to);
}

// The report of the entries (all of the report's days), handed over in start order as the
// store does.
template <typename Report>
std::string render(std::vector<JournalEntry> entries, const ReportRequest& r) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const JournalEntry& a, const JournalEntry& b) { return a.start < b.start; });
  if constexpr (std::is_same_v<Report, TextReport>) {
    std::string text;
    TextReport report(r, [&](std::string_view piece) { text += piece; });
    for (const JournalEntry& e : entries) report.add(e);
    report.finish();
    return text;
  } else {
    Report report(r);
    for (const JournalEntry& e : entries) report.add(e);
    return report.finish();
  }
}

inline DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return DateTime::fromParts(y, mo, d, h, mi, s);
}

}  // namespace tw::test
