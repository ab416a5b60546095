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
// last day of the request, both of which must be given. It is given the entries of its days
// (the store's JournalStore::readDays); each counts on the day of its local start. A first
// day given with a time of day makes days that no entry's day equals. Lines end with CR LF.
class CsvReport {
 public:
  // Throws DateTimeError when a bound is missing.
  explicit CsvReport(const ReportRequest& request);

  // The days whose entries it takes (none when the first is after the last).
  DateTime firstDay() const { return first_.date(); }
  DateTime lastDay() const { return last_.date(); }

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
