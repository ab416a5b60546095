#pragma once

#include <cstdint>
#include <string>

#include "core/DailyTotals.h"
#include "core/DateTime.h"
#include "core/JournalEntry.h"
#include "report/CategoryFilter.h"
#include "report/ReportRequest.h"

namespace tw {

// The table of decimal hours per category (rows) and day (columns) over the first through the
// last day of the request, both of which must be given. An entry counts on the day of its
// local start; a bound read with a time of day makes days that no entry's day equals. Entries
// are added in start order. Lines end with CR LF.
class CsvReport {
 public:
  // Throws DateTimeError when a bound cannot be read.
  explicit CsvReport(const ReportRequest& request);

  // The local start times of the entries it may take: [from, until); empty when it takes none.
  DateTime from() const { return first_.date(); }
  DateTime until() const;

  void add(const JournalEntry& entry);
  // The whole table. Throws std::overflow_error when a cell leaves the 32-bit range of minutes.
  std::string finish() const;

 private:
  DateTime dayAt(std::int64_t i) const;

  DateTime first_;
  DateTime last_;
  std::int64_t dayCount_ = 0;
  bool daysAtMidnight_ = false;
  CategoryFilter filter_;
  DailyTotals totals_;
};

}  // namespace tw
