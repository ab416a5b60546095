// The journal window on the 1,000,000-entry journal (offscreen): opened on a day, a week moved,
// and an edit saved through the journal editor.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "core/Markers.h"
#include "core/SystemClock.h"
#include "gui/common/DefaultPrinter.h"
#include "gui/common/QtDialogRunner.h"
#include "gui/common/QtMessageBoxes.h"
#include "gui/common/QtSaveDialog.h"
#include "gui/common/WindowServices.h"
#include "gui/journal/JournalWindow.h"
#include "support/BigJournal.h"
#include "tracking/JournalEditor.h"
#include "tracking/TrackingSession.h"

namespace tw {
namespace {

// A day near the end of the journal, as today would be.
const DateTime kDay = DateTime::fromParts(2026, 12, 1);

struct Window {
  SqliteJournalStore store{bench::bigStore()};
  SystemClock clock;
  TrackingSession session{store, clock, ProcessIdentity::self(), EntryTypeRule("")};
  JournalEditor editor{store, EntryTypeRule("")};
  QtMessageBoxes messages;
  QtDialogRunner dialogs;
  QtSaveDialog saveDialog{dialogs};
  DefaultPrinter printer;
  WindowServices services{messages, saveDialog, printer, dialogs, clock};
};

void OpenOnADay(benchmark::State& state) {
  Window w;
  for (auto _ : state) {
    JournalWindow window(w.store, w.session, w.editor, w.services);
    window.showDay(kDay);
    window.show();
    QApplication::processEvents();
  }
}
BENCHMARK(OpenOnADay)->Unit(benchmark::kMillisecond);

void MoveAWeek(benchmark::State& state) {
  Window w;
  JournalWindow window(w.store, w.session, w.editor, w.services);
  window.show();
  int week = 0;
  for (auto _ : state) {
    window.showDay(kDay.addDays(-7.0 * (++week % 50)));
    QApplication::processEvents();
  }
}
BENCHMARK(MoveAWeek)->Unit(benchmark::kMillisecond);

void EditSaved(benchmark::State& state) {
  Window w;
  JournalEntry entry;
  w.store.readDays(kDay, kDay, [&](JournalStore::EntryBatch batch) {
    for (const JournalEntry& e : batch)
      if (!Markers::isMarker(e) && entry.id == 0) entry = e;
  });
  for (auto _ : state) {
    entry.seconds = entry.seconds == 600 ? 660 : 600;
    w.editor.change(entry);
  }
}
BENCHMARK(EditSaved)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tw

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
