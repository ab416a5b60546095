#pragma once

#include <functional>
#include <string>

#include "core/Clock.h"
#include "store/JournalStore.h"
#include "store/SyncState.h"
#include "sync/HttpClient.h"
#include "sync/SyncConfig.h"
#include "sync/SyncResult.h"

namespace tw {

// One synchronisation of the store with the CalDAV server of a configuration: the server's
// changes come in first (each task list chosen, then the time log), then the local changes go
// out, each to its own list (tasks on none to the default list). A chosen list gone from the
// server is skipped and named among the problems, its tasks kept; the default list and the
// time log are made again. Plain C++:
// the command line runs it, and the window runs it on a worker thread with a store of that
// thread's own. Failures throw SyncError (StoreError for the store); what was stored before
// stays stored, and what was not confirmed is sent again next time.
class CalendarSync {
 public:
  struct Options {
    // Gives DTSTAMP and COMPLETED times; the system clock when null.
    const Clock* clock = nullptr;
    // Requests on their way at once.
    int parallel = 8;
    // Called after each answer to a sending, on the calling thread. What it throws ends the
    // run (a way to stop it); answers not yet stored are then recognised next time.
    std::function<void()> afterAnswer;
    // Asked while the server is awaited (at least every 100 ms): when it says true the run ends
    // with SyncError at once, as after a failed request.
    std::function<bool()> stop;
    // The bounds of each request (the configuration's ca_file is added to them).
    HttpClient::Limits limits;
  };

  CalendarSync(JournalStore& store, SyncState& state, SyncConfig config);
  CalendarSync(JournalStore& store, SyncState& state, SyncConfig config, Options options);

  SyncResult run();
  // Requests sent by the last run.
  std::size_t requestCount() const { return requests_; }

 private:
  JournalStore& store_;
  SyncState& state_;
  SyncConfig config_;
  Options options_;
  std::size_t requests_ = 0;
};

}  // namespace tw
