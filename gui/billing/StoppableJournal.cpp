#include "gui/billing/StoppableJournal.h"

namespace tw {

// Checked before the first batch too: a bill cancelled before it began reads nothing.
void StoppableJournal::readDays(std::optional<DateTime> first, std::optional<DateTime> last,
                                const BatchSink& sink) {
  if (stopped_) throw Stopped();
  inner_.readDays(first, last, watched(sink));
}

void StoppableJournal::readReportDays(std::optional<DateTime> first, std::optional<DateTime> last,
                                      const BatchSink& sink) {
  if (stopped_) throw Stopped();
  inner_.readReportDays(first, last, watched(sink));
}

JournalStore::BatchSink StoppableJournal::watched(const BatchSink& sink) {
  return [this, &sink](EntryBatch batch) {
    if (stopped_) throw Stopped();
    sink(batch);
  };
}

}  // namespace tw
