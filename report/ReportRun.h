#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "report/ReportRequest.h"
#include "report/ReportSink.h"

namespace tw {

class JournalStore;

// A report made from the store: only the entries of the request's days are read, through the
// store's index of local days, and only the fields a report shows, while the report is written
// on the other core.
class ReportRun {
 public:
  // Told how many entries have been read so far.
  using Progress = std::function<void(std::size_t)>;

  // The text report, given to out as it is made. Throws DateTimeError when the range cannot
  // end (unless the journal is empty), StoreError when the store fails; what out was given
  // before is then no whole report.
  static void writeText(JournalStore& store, const ReportRequest& request, const ReportSink& out,
                        const Progress& progress = {});
  // The CSV table; both bounds must be given. Throws as writeText does.
  static void writeCsv(JournalStore& store, const ReportRequest& request, const ReportSink& out,
                       const Progress& progress = {});

  // The same, as one text.
  static std::string text(JournalStore& store, const ReportRequest& request,
                          const Progress& progress = {});
  static std::string csv(JournalStore& store, const ReportRequest& request,
                         const Progress& progress = {});
};

}  // namespace tw
