#include "report/ReportRun.h"

#include <optional>

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
  store.readReportDays(report.firstDay(), report.lastDay(), [&](JournalStore::EntryBatch batch) {
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

void ReportRun::writeText(JournalStore& store, const ReportRequest& request, const ReportSink& out,
                          const Progress& progress) {
  std::optional<TextReport> report;
  try {
    report.emplace(request, out);
  } catch (const DateTimeError&) {
    if (!journalIsEmpty(store)) throw;
    out(TextReport::withoutEntries(request));
    return;
  }
  feed(store, *report, progress);
  report->finish();
}

void ReportRun::writeCsv(JournalStore& store, const ReportRequest& request, const ReportSink& out,
                         const Progress& progress) {
  CsvReport report(request);
  feed(store, report, progress);
  out(report.finish());
}

std::string ReportRun::text(JournalStore& store, const ReportRequest& request,
                            const Progress& progress) {
  std::string text;
  writeText(
      store, request, [&](std::string_view piece) { text += piece; }, progress);
  return text;
}

std::string ReportRun::csv(JournalStore& store, const ReportRequest& request,
                           const Progress& progress) {
  std::string text;
  writeCsv(
      store, request, [&](std::string_view piece) { text += piece; }, progress);
  return text;
}

}  // namespace tw
