#include "report/ReportRun.h"

#include "core/DateTimeError.h"
#include "core/Instant.h"
#include "report/CsvReport.h"
#include "report/TextReport.h"
#include "store/JournalStore.h"

namespace tw {
namespace {

// UTC offsets lie between -12 and +14 hours; an hour more either way is kept for safety.
constexpr std::int32_t kMostEast = 15 * 3600;
constexpr std::int32_t kMostWest = -13 * 3600;

// Reads the entries whose local start may lie in [from, until) into the report.
template <typename Report>
void feed(JournalStore& store, Report& report, const ReportRun::Progress& progress) {
  if (!(report.from() < report.until())) return;
  std::size_t read = 0;
  store.readEntries(Instant::fromLocal(report.from(), kMostEast),
                    Instant::fromLocal(report.until(), kMostWest),
                    [&](JournalStore::EntryBatch batch) {
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
