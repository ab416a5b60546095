#pragma once

#include <QObject>
#include <QString>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sync/SyncConfig.h"
#include "sync/SyncResult.h"

namespace tw {

class StoreOpener;

// The calendar synchronisation of the window's store, run on a thread of its own with a store
// connection of that thread, so that the window never waits on the server. It runs a while
// after the store changed (a change of the window, of the command line or of another program)
// and every few minutes; nothing at all when no server is configured.
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
  };

  // changeCount reads the window's store on the window's thread.
  BackgroundSync(const StoreOpener& stores, std::string storePath, SyncConfig config,
                 std::function<std::int64_t()> changeCount, Timing timing,
                 QObject* parent = nullptr);
  // Waits for a run under way.
  ~BackgroundSync() override;

  // The configuration at SyncConfig::defaultPath(), or nothing; a file that cannot be read is
  // reported through problem.
  static std::optional<SyncConfig> configured(QString& problem);

  // Starts a run now, or right after the one under way.
  void runSoon();
  // What the last run did or why it failed, with its time; empty before the first.
  const QString& status() const { return status_; }
  // What the last run skipped, or what the server refused in it.
  const std::vector<SyncResult::Problem>& problems() const { return problems_; }

 signals:
  // A run ended; received tells that the store took changes from the server.
  void finished(bool received);

 private:
  void poll();
  void startRun();
  // On the run's thread.
  void run();
  void onRunEnded();

  const StoreOpener& stores_;
  std::string storePath_;
  SyncConfig config_;
  std::function<std::int64_t()> changeCount_;
  QTimer pollTimer_;
  QTimer settleTimer_;
  QTimer periodTimer_;
  std::unique_ptr<QThread> thread_;
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
