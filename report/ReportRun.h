#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "report/ReportRequest.h"

namespace tw {

class JournalStore;

// A report made from the store: only the entries of the request's days are read, through the
// store's index of local days, while the report is written on the other core.
class ReportRun {
 public:
  // Told how many entries have been read so far.
  using Progress = std::function<void(std::size_t)>;

  // The text report. Throws DateTimeError when the range cannot end (unless the journal is
  // empty), StoreError when the store fails.
  static std::string text(JournalStore& store, const ReportRequest& request,
                          const Progress& progress = {});
  // The CSV table; both bounds must be given. Throws as text does.
  static std::string csv(JournalStore& store, const ReportRequest& request,
                         const Progress& progress = {});
};

}  // namespace tw
