#include "gui/sync/BackgroundSync.h"

#include <QDateTime>
#include <exception>

#include "store/StoreOpener.h"
#include "sync/CalendarSync.h"
#include "sync/SyncError.h"

namespace tw {

BackgroundSync::BackgroundSync(const StoreOpener& stores, std::string storePath, SyncConfig config,
                               Timing timing, QObject* parent)
    : QObject(parent),
      stores_(stores),
      storePath_(std::move(storePath)),
      config_(std::move(config)),
      requestSeconds_(timing.requestSeconds) {
  settleTimer_.setSingleShot(true);
  settleTimer_.setInterval(timing.settleMs);
  connect(&settleTimer_, &QTimer::timeout, this, &BackgroundSync::runSoon);
  connect(&pollTimer_, &QTimer::timeout, this, &BackgroundSync::poll);
  connect(&periodTimer_, &QTimer::timeout, this, &BackgroundSync::runSoon);
  pollTimer_.start(timing.pollMs);
  periodTimer_.start(timing.periodMs);
}

BackgroundSync::~BackgroundSync() {
  cancel();
  if (thread_) thread_->wait();
}

void BackgroundSync::cancel() {
  cancelled_ = true;
  pollTimer_.stop();
  settleTimer_.stop();
  periodTimer_.stop();
}

std::optional<SyncConfig> BackgroundSync::configured(QString& problem) {
  try {
    return SyncConfig::loadDefault();
  } catch (const std::exception& e) {
    problem = QString::fromStdString(e.what());
    return std::nullopt;
  }
}

JournalStore& BackgroundSync::store() {
  if (!store_) store_ = stores_.open(storePath_, StoreOpener::Access::ReadWrite);
  return *store_;
}

void BackgroundSync::poll() {
  if (thread_ || cancelled_) return;
  std::int64_t now = 0;
  try {
    now = store().changeCount();
  } catch (const std::exception& e) {
    status_ = tr("Not synchronised: %1").arg(QString::fromStdString(e.what()));
    return;
  }
  if (now != seenChanges_) {
    seenChanges_ = now;
    settleTimer_.start();
  }
}

void BackgroundSync::runSoon() {
  if (cancelled_) return;
  if (thread_) {
    again_ = true;
    return;
  }
  startRun();
}

void BackgroundSync::startRun() {
  again_ = false;
  periodTimer_.start();
  thread_.reset(QThread::create([this] { run(); }));
  connect(thread_.get(), &QThread::finished, this, &BackgroundSync::onRunEnded);
  thread_->start(QThread::LowPriority);
}

void BackgroundSync::run() {
  received_ = false;
  runBegan_ = -1;
  runProblems_.clear();
  try {
    runBegan_ = store().changeCount();
    const auto state = stores_.syncState(*store_);
    CalendarSync::Options options;
    options.limits.seconds = requestSeconds_;
    options.stop = [this] { return cancelled_.load(); };
    options.afterAnswer = [this] {
      if (cancelled_) throw SyncError("the synchronisation was cancelled");
    };
    const SyncResult result = CalendarSync(*store_, *state, config_, options).run();
    received_ = result.received > 0 || result.deleted > 0;
    outcome_ = tr("Synchronised at %1: %2");
    outcome_ = outcome_.arg(QDateTime::currentDateTime().toString(QStringLiteral("h:mm AP")),
                            QString::fromStdString(result.summary()));
    if (result.conflicts > 0) outcome_ += tr(" (your versions: Journal, Conflicts…)");
    if (result.problems.size() == 1)
      outcome_ += tr(" (1 problem: the status bar's sync problems…)");
    else if (!result.problems.empty())
      outcome_ += tr(" (%1 problems: the status bar's sync problems…)")
                      .arg(static_cast<qsizetype>(result.problems.size()));
    runProblems_ = result.problems;
  } catch (const std::exception& e) {
    outcome_ = tr("Synchronisation failed at %1: %2")
                   .arg(QDateTime::currentDateTime().toString(QStringLiteral("h:mm AP")),
                        QString::fromStdString(e.what()));
  }
}

void BackgroundSync::onRunEnded() {
  thread_->wait();
  thread_.reset();
  // What others changed since the run began counts at the next poll; what they changed before
  // was sent by the run.
  if (runBegan_ >= 0) seenChanges_ = runBegan_;
  status_ = outcome_;
  problems_ = std::move(runProblems_);
  emit finished(received_);
  if (again_ && !cancelled_) startRun();
}

}  // namespace tw
