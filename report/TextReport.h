#pragma once

#include <string>

#include "core/CategoryTotals.h"
#include "core/DateTime.h"
#include "core/JournalEntry.h"
#include "core/ZoneOffsets.h"
#include "report/CategoryFilter.h"
#include "report/ReportRequest.h"
#include "report/ReportSink.h"

namespace tw {

class JournalStore;

// The journal report: a section per day with one block per entry, the work markers as
// one-line events, and a total per category. It is given the entries of its days (the store's
// JournalStore::readDays) in the store's order; only those of the category asked for are
// taken. The text goes to the sink as it is made, day by day; the totals close it. Lines end
// with CR LF.
class TextReport {
 public:
  // Without a first day it reports from 1/1/1900, without a last day through 1/1/2999; a
  // bound's time of day does not count. Throws DateTimeError when the range cannot end (the
  // last day is 12/31/9999).
  TextReport(const ReportRequest& request, ReportSink out);

  // The days whose entries it reports.
  DateTime firstDay() const { return firstDay_; }
  DateTime lastDay() const { return lastDay_; }

  void add(const JournalEntry& entry);
  // Writes the totals and whatever the sink has not been given yet. Throws std::overflow_error
  // when a total leaves the 32-bit range.
  void finish();

  // The report of a request whose range cannot end, over a journal without entries.
  static std::string withoutEntries(const ReportRequest& request);

 private:
  static std::string heading(const ReportRequest& request);
  void addMarker(const JournalEntry& entry, DateTime start);
  void addWork(const JournalEntry& entry, DateTime start);
  void handOn();

  DateTime firstDay_;
  DateTime lastDay_;
  CategoryFilter filter_;
  ReportSink out_;
  // The text not yet given to out_.
  std::string text_;
  CategoryTotals totals_;
  ZoneOffsets zone_;
  bool anyDay_ = false;
  DateTime shownDay_;
};

}  // namespace tw
