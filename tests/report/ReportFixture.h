#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/DateTime.h"
#include "model/JournalEntry.h"
#include "reporting/Report.h"

namespace tw::test {

inline std::shared_ptr<JournalEntry> entry(DateTime start, std::int32_t minutes,
                                           std::string category, std::string subject = "Work",
                                           std::string type = "Task") {
  auto e = std::make_shared<JournalEntry>();
  e->start = start;
  e->duration = minutes;
  e->Category = std::move(category);
  e->subject = std::move(subject);
  e->entrytype = std::move(type);
  return e;
}

inline std::shared_ptr<JournalEntry> startMarker(DateTime at) {
  return entry(at, 0, "Tallyworks Start", "Start Work", "TWEvent");
}

inline std::shared_ptr<JournalEntry> stopMarker(DateTime at) {
  return entry(at, 0, "Tallyworks Stop", "Stop Work", "TWEvent");
}

inline Report makeReport(const std::vector<std::shared_ptr<JournalEntry>>& entries,
                         const char* from, const char* to, const char* category) {
  Report r;
  r.startdate = from;
  r.enddate = to;
  r.Category = category;
  for (const auto& e : entries) r.Add(e);
  return r;
}

inline DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return DateTime::fromParts(y, mo, d, h, mi, s);
}

}  // namespace tw::test
