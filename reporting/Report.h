#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/DateTime.h"
#include "model/JournalEntry.h"

namespace tw {

// The accumulator of one report request: the journal entries in start order and the three
// filters, rendered as the text report (Generate) or the table of hours per category and day
// (CSV). Texts are UTF-8; every line ends with CR LF.
class Report {
 public:
  // Category filter, a name the entries' categories are matched against; empty for all.
  std::string Category;
  // First and last day of the range as date texts (1/5/2003); empty for no bound.
  std::string startdate;
  std::string enddate;

  Report();
  // Drops the entries; the filters stay.
  void Reset();
  // Stores the entry (shared, never changed) at its place in ascending start order, after
  // entries with the same start. The entry's start must not change once it is added.
  void Add(std::shared_ptr<JournalEntry> entry);
  // Has no effect: files are written by the windows.
  bool Save(const std::string& filename);
  // The text report. Writes "1/1/1900" into an empty startdate and "1/1/2999" into an empty
  // enddate. Throws DateTimeError when a bound cannot be read (only with at least one entry).
  std::string Generate();
  // The CSV table over startdate..enddate inclusive. Throws DateTimeError when a bound cannot
  // be read, std::overflow_error when a total leaves the 32-bit range.
  std::string CSV() const;

  // The entries in ascending start order, equal starts in order of addition.
  const std::vector<std::shared_ptr<JournalEntry>>& Entries() const;

 private:
  // Puts the entries into start order if an Add came out of order since the last reading.
  void order() const;

  // The entries and their starts at addition, side by side; in start order unless unordered_.
  mutable std::vector<std::shared_ptr<JournalEntry>> entries_;
  mutable std::vector<DateTime> starts_;
  mutable bool unordered_ = false;
};

}  // namespace tw
