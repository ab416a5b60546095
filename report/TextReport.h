#pragma once

#include <string>

#include "core/CategoryTotals.h"
#include "core/DateTime.h"
#include "core/JournalEntry.h"
#include "core/ZoneOffsets.h"
#include "report/CategoryFilter.h"
#include "report/ReportRequest.h"

namespace tw {

class JournalStore;

// The journal report: a section per day with one block per entry, the work markers as
// one-line events, and a total per category. Entries are added in start order; only those
// starting from midnight of the first day to the end of the last day, of the category asked
// for, are taken. Lines end with CR LF.
class TextReport {
 public:
  // Reads the bounds (an empty start is 1/1/1900, an empty end 1/1/2999); throws DateTimeError
  // when one cannot be read.
  explicit TextReport(const ReportRequest& request);

  // The local start times of the entries it may take: [from, until).
  DateTime from() const { return from_; }
  DateTime until() const { return until_; }

  void add(const JournalEntry& entry);
  // The whole report. Throws std::overflow_error when a total leaves the 32-bit range.
  std::string finish();

  // The report of a request whose bounds cannot be read, over a journal without entries.
  static std::string withoutEntries(const ReportRequest& request);

 private:
  static std::string heading(const ReportRequest& request);
  void addMarker(const JournalEntry& entry, DateTime start);
  void addWork(const JournalEntry& entry, DateTime start);

  DateTime from_;
  DateTime until_;
  CategoryFilter filter_;
  std::string text_;
  CategoryTotals totals_;
  ZoneOffsets zone_;
  bool anyDay_ = false;
  DateTime lastDay_;
};

}  // namespace tw
