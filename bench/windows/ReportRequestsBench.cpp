// The main window's report requests over a store of 1,000,000 journal items: ten years of
// work days, 30 categories, 200 subjects, work markers every day. Each run reads the whole
// journal from the store, as the program does. Goals: "Generate Report" for one month shows
// the viewer within 3 s; "Generate CSV" for one year writes its file within 2 s.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <random>
#include <string>

#include "model/DateText.h"
#include "model/JournalEntry.h"
#include "reporting/frmViewer.h"
#include "store/Application.h"
#include "store/JournalBatch.h"
#include "store/MAPIFolder.h"
#include "store/NameSpace.h"
#include "tests/support/FakeWindowServices.h"
#include "tracking/frmMain.h"

namespace {

constexpr int kItems = 1000000;
constexpr int kDays = 3652;
const tw::DateTime kFirstDay = tw::DateTime::fromParts(2015, 1, 1);

void seed(const std::string& path) {
  tw::Application outlook(path);
  tw::JournalBatch batch(outlook.GetNamespace("MAPI").GetDefaultFolder(tw::olFolderJournal));
  std::mt19937 rng(11);
  const int perDay = kItems / kDays;
  int written = 0;
  for (int day = 0; written < kItems; day = (day + 1) % kDays) {
    const tw::DateTime morning = kFirstDay.addDays(day).addSeconds(8 * 3600);
    tw::JournalEntry e;
    for (int k = 0; k < perDay && written < kItems; ++k, ++written) {
      if (k == 0 || k == perDay - 1) {
        e.subject = k == 0 ? "Start Work" : "Stop Work";
        e.Category = k == 0 ? "Tallyworks Start" : "Tallyworks Stop";
        e.entrytype = "TWEvent";
        e.duration = 0;
        e.start = morning.addSeconds(k == 0 ? 0 : 11 * 3600);
      } else {
        e.subject = "Task number " + std::to_string(rng() % 200);
        e.Category = "Client " + std::to_string(rng() % 30) + " work";
        e.entrytype = rng() % 2 ? "Task" : "PJ_Task";
        e.duration = static_cast<std::int32_t>(rng() % 180);
        e.start = morning.addSeconds(60 + static_cast<std::int64_t>(rng() % 36000));
      }
      batch.add(e);
    }
  }
  batch.commit();
}

// One store and one loaded main window for all runs.
struct Setup {
  QTemporaryDir dir;
  tw::testing::FakeWindowServices fake;
  std::unique_ptr<tw::frmMain> window;

  Setup() {
    const std::string path = dir.filePath("journal.db").toStdString();
    seed(path);
    tw::Application::setDefaultStorePath(path);
    window = std::make_unique<tw::frmMain>(fake.services);
    window->Timer1->stop();
    window->Form_Load();
    window->Timer1->stop();
    window->show();
  }
  static Setup& get() {
    static Setup setup;
    return setup;
  }
};

void setRange(tw::frmMain& w, tw::DateTime from, tw::DateTime to) {
  w.txtStartDate->setText(QString::fromStdString(tw::DateText::shortDate(from)));
  w.txtEndDate->setText(QString::fromStdString(tw::DateText::shortDate(to)));
}

// Presses "Generate Report" once per iteration; the viewer is shown and painted, not run.
void timeReportRequests(benchmark::State& state, Setup& s) {
  std::size_t shown = 0;
  s.fake.dialogs.onExec = [&](QDialog& viewer) {
    viewer.show();
    QCoreApplication::processEvents();
    shown = dynamic_cast<tw::frmViewer&>(viewer).text().size();
    return 0;
  };
  for (auto _ : state) s.window->btnReport->click();
  state.counters["report_chars"] = static_cast<double>(shown);
}

void BM_GenerateReportOneMonth(benchmark::State& state) {
  Setup& s = Setup::get();
  setRange(*s.window, tw::DateTime::fromParts(2024, 3, 1), tw::DateTime::fromParts(2024, 3, 31));
  timeReportRequests(state, s);
}
BENCHMARK(BM_GenerateReportOneMonth)->Unit(benchmark::kMillisecond)->Iterations(3);

// Both date fields empty: the whole journal, about a hundred megabytes of text.
void BM_GenerateReportWholeJournal(benchmark::State& state) {
  Setup& s = Setup::get();
  s.window->txtStartDate->clear();
  s.window->txtEndDate->clear();
  timeReportRequests(state, s);
}
BENCHMARK(BM_GenerateReportWholeJournal)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_GenerateCsvOneYear(benchmark::State& state) {
  Setup& s = Setup::get();
  setRange(*s.window, tw::DateTime::fromParts(2024, 1, 1), tw::DateTime::fromParts(2024, 12, 31));
  const QString file = s.dir.filePath("hours.csv");
  for (auto _ : state) {
    s.fake.saveDialog.answers = {file};
    s.window->btnCSV->click();
  }
  state.counters["csv_bytes"] = static_cast<double>(QFile(file).size());
}
BENCHMARK(BM_GenerateCsvOneYear)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
