#pragma once

#include <QObject>
#include <QString>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sync/SyncConfig.h"
#include "sync/SyncResult.h"

namespace tw {

class JournalStore;
class StoreOpener;

// The calendar synchronisation of the window's store, run on a thread of its own with a store
// connection of its own, so that the window never waits on the server. It runs a while after
// the store changed (a change of the window, of the command line or of another program) and
// every few minutes; nothing at all when no server is configured. Changes are counted on its
// own connection, which does not count its own commits, so a run's changes start no further
// run. Closing cancels a run under way: a request waiting on the server is abandoned within a
// fraction of a second.
class BackgroundSync : public QObject {
  Q_OBJECT

 public:
  struct Timing {
    // How often the store's change count is looked at, and how long after a change the run
    // waits for further changes.
    int pollMs = 2000;
    int settleMs = 5000;
    // Runs also when nothing changed here, for the server's changes.
    int periodMs = 5 * 60 * 1000;
    // The bound of each request to the server.
    long requestSeconds = 60;
  };

  BackgroundSync(const StoreOpener& stores, std::string storePath, SyncConfig config, Timing timing,
                 QObject* parent = nullptr);
  // Cancels a run under way and waits for its thread, which ends at once.
  ~BackgroundSync() override;

  // The configuration at SyncConfig::defaultPath(), or nothing; a file that cannot be read is
  // reported through problem.
  static std::optional<SyncConfig> configured(QString& problem);

  // Starts a run now, or right after the one under way.
  void runSoon();
  // Looks at the store's change count (every pollMs, not during a run): a change starts a run
  // once settled.
  void poll();
  // Whether a run is under way or due.
  bool busy() const { return thread_ || settleTimer_.isActive(); }
  // Ends the run under way as soon as it waits on the server again (it then reports that it
  // was cancelled), and starts no other; returns at once.
  void cancel();
  // What the last run did or why it failed, with its time; empty before the first.
  const QString& status() const { return status_; }
  // What the last run skipped, or what the server refused in it.
  const std::vector<SyncResult::Problem>& problems() const { return problems_; }

 signals:
  // A run ended; received tells that the store took changes from the server.
  void finished(bool received);

 private:
  void startRun();
  // On the run's thread.
  void run();
  void onRunEnded();
  // The runs' connection, opened when missing.
  JournalStore& store();

  const StoreOpener& stores_;
  std::string storePath_;
  SyncConfig config_;
  long requestSeconds_;
  QTimer pollTimer_;
  QTimer settleTimer_;
  QTimer periodTimer_;
  std::unique_ptr<QThread> thread_;
  std::atomic<bool> cancelled_ = false;
  // The runs' own connection, kept between runs; used by the run's thread during a run, by
  // this object's thread otherwise.
  std::unique_ptr<JournalStore> store_;
  // store_'s change count when the run began.
  std::int64_t runBegan_ = -1;
  std::int64_t seenChanges_ = -1;
  bool again_ = false;
  QString status_;
  std::vector<SyncResult::Problem> problems_;
  // Written on the run's thread, read after it ended.
  QString outcome_;
  std::vector<SyncResult::Problem> runProblems_;
  bool received_ = false;
};

}  // namespace tw
