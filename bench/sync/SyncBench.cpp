// The calendar synchronisation against a real Radicale on loopback.
//
// FirstUpload: a store of N journal entries (and the 40 tasks they were timed for) sent to an
// empty server; counters give the requests, the requests per second and this process's CPU
// time. Radicale checks every new item's UID against all items of the collection, so its time
// per creation grows with the collection; the client's share is the CPU time.
//
// NothingChanged: 10,000 entries on both sides. The server's side is written straight into
// Radicale's storage folder (setting up through 10,000 creations would take Radicale hours),
// a fresh store receives it all, and then synchronises with nothing changed. "server ms" is
// what Radicale alone takes to answer that run's two requests.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <memory>

#include "RadicaleServer.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "store/sqlite/SqliteSyncState.h"
#include "support/BigJournal.h"
#include "sync/CalendarSync.h"
#include "sync/DavClient.h"
#include "sync/EntryKind.h"
#include "sync/HttpClient.h"
#include "sync/TaskKind.h"

namespace tw {
namespace {

double cpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Computer {
  explicit Computer(const std::string& path) : store(path), state(store) {}

  SyncResult sync(const test::RadicaleServer& server) {
    SyncConfig config;
    config.url = server.url();
    config.username = "alice";
    CalendarSync run(store, state, config);
    SyncResult r = run.run();
    requests = run.requestCount();
    return r;
  }

  SqliteJournalStore store;
  SqliteSyncState state;
  std::size_t requests = 0;
};

// Entries of the big journal's kind, every task entry timed for one of 40 tasks.
void fill(JournalStore& store, int entries) {
  store.transact([&] {
    std::vector<std::string> tasks;
    for (int t = 0; t < 40; ++t) {
      Task task;
      task.subject = "Task " + std::to_string(t);
      tasks.push_back(store.addTask(task).uid);
    }
    for (int i = 0; i < entries; ++i) {
      JournalEntry e = bench::bigJournalEntry(i);
      if (e.type != "TWEvent") e.taskUid = tasks[static_cast<std::size_t>(i % 40)];
      store.addEntry(e);
    }
  });
}

void FirstUpload(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  double cpu = 0;
  std::size_t requests = 0;
  for (auto _ : state) {
    state.PauseTiming();
    test::RadicaleServer server;
    test::TempFolder folder;
    Computer laptop(folder.file("laptop.db"));
    fill(laptop.store, entries);
    const double before = cpuSeconds();
    state.ResumeTiming();
    const SyncResult r = laptop.sync(server);
    state.PauseTiming();
    cpu += cpuSeconds() - before;
    requests += laptop.requests;
    if (r.sent != entries + 40) state.SkipWithError(r.summary().c_str());
    state.ResumeTiming();
  }
  state.counters["requests"] = static_cast<double>(requests);
  state.counters["requests/s"] =
      benchmark::Counter(static_cast<double>(requests), benchmark::Counter::kIsRate);
  state.counters["client CPU s"] = cpu;
}
BENCHMARK(FirstUpload)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

// TW_SYNC_UPLOAD=10000 adds that size (Radicale takes about an hour for 10,000).
const bool kLargerUpload = [] {
  if (const char* n = std::getenv("TW_SYNC_UPLOAD"))
    benchmark::RegisterBenchmark("FirstUpload", FirstUpload)
        ->Arg(std::atoi(n))
        ->Iterations(1)
        ->UseRealTime()
        ->Unit(benchmark::kSecond);
  return true;
}();

// The server's collections filled straight in its storage with a store's tasks and entries.
void seedServer(const test::RadicaleServer& server, int entries, const std::string& scratch) {
  Computer source(scratch);
  source.sync(server);  // makes the collections, empty
  fill(source.store, entries);
  const std::string root = server.storage() + "/collection-root/alice/";
  const Instant now = Instant::fromUnix(1'717'000'000);
  for (const Task& t : source.store.tasks())
    test::writeBytes(root + "tasks/" + t.uid + ".ics",
                     TaskKind().serialise(t.uid, *TaskKind().local(source.store, t.uid), "", now));
  const EntryKind kind;
  source.store.visitAll([&](const JournalEntry& e) {
    test::writeBytes(root + "timelog/" + e.uid + ".ics",
                     kind.serialise(e.uid, EntryKind::fieldsOf(e), "", now));
    return true;
  });
}

void NothingChanged(benchmark::State& state) {
  test::RadicaleServer server;
  test::TempFolder folder;
  Computer laptop(folder.file("laptop.db"));
  seedServer(server, static_cast<int>(state.range(0)), folder.file("seed.db"));
  const SyncResult first = laptop.sync(server);
  if (first.received != state.range(0) + 40) state.SkipWithError(first.summary().c_str());
  const double before = cpuSeconds();
  for (auto _ : state) {
    const SyncResult r = laptop.sync(server);
    if (r.sent + r.received + r.deleted != 0) state.SkipWithError(r.summary().c_str());
  }
  state.counters["requests"] = static_cast<double>(laptop.requests);
  state.counters["client CPU ms"] =
      (cpuSeconds() - before) * 1000 / static_cast<double>(state.iterations());
  // The server's own share: the same two sync-collection REPORTs, nothing else.
  HttpClient http("alice", "", 1);
  DavClient dav(http, server.url());
  const auto start = std::chrono::steady_clock::now();
  for (SyncState::Kind kind : {SyncState::Kind::Task, SyncState::Kind::Entry}) {
    const SyncState::Collection c = laptop.state.collection(kind);
    dav.changesSince(c.url, c.syncToken);
  }
  state.counters["server ms"] =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
BENCHMARK(NothingChanged)->Arg(10000)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tw
