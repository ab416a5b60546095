#pragma once

#include <QObject>
#include <QString>
#include <QThread>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "billing/Bill.h"
#include "billing/BillRequest.h"

namespace tw {

class StoreOpener;

// One bill made away from the window's thread, on a store connection of its own opened
// read-only, so that the window goes on while a long period is read. cancel() ends the reading
// at its next batch; the result is taken on the window's thread once finished() is emitted.
class BillJob : public QObject {
  Q_OBJECT

 public:
  BillJob(const StoreOpener& stores, std::string storePath, QObject* parent = nullptr);
  // Cancels a bill under way and waits for its reading to stop.
  ~BillJob() override;

  void start(BillRequest request);
  void cancel();
  bool running() const;

  // After finished(): the bill, or nothing with a description of the failure (empty when the
  // bill was cancelled).
  std::optional<Bill> takeBill() { return std::exchange(bill_, std::nullopt); }
  const QString& failure() const { return failure_; }

 signals:
  void finished();

 private:
  // On the job's thread.
  void run(const BillRequest& request);

  const StoreOpener& stores_;
  std::string storePath_;
  std::unique_ptr<QThread> thread_;
  std::atomic<bool> cancelled_ = false;
  std::optional<Bill> bill_;
  QString failure_;
};

}  // namespace tw
