#include "report/ReportRun.h"

#include "core/DateTimeError.h"
#include "report/CsvReport.h"
#include "report/TextReport.h"
#include "store/JournalStore.h"

namespace tw {
namespace {

// Reads the entries of the report's days into it.
template <typename Report>
void feed(JournalStore& store, Report& report, const ReportRun::Progress& progress) {
  std::size_t read = 0;
  store.readDays(report.firstDay(), report.lastDay(), [&](JournalStore::EntryBatch batch) {
    for (const JournalEntry& e : batch) report.add(e);
    read += batch.size();
    if (progress) progress(read);
  });
}

bool journalIsEmpty(JournalStore& store) {
  bool empty = true;
  store.visitAll([&](const JournalEntry&) { return empty = false; });
  return empty;
}

}  // namespace

std::string ReportRun::text(JournalStore& store, const ReportRequest& request,
                            const Progress& progress) {
  try {
    TextReport report(request);
    feed(store, report, progress);
    return report.finish();
  } catch (const DateTimeError&) {
    if (!journalIsEmpty(store)) throw;
    return TextReport::withoutEntries(request);
  }
}

std::string ReportRun::csv(JournalStore& store, const ReportRequest& request,
                           const Progress& progress) {
  CsvReport report(request);
  feed(store, report, progress);
  return report.finish();
}

}  // namespace tw
