#pragma once

#include <QObject>
#include <QString>
#include <QThread>
#include <atomic>
#include <cstddef>
#include <memory>
#include <string>

#include "report/ReportRequest.h"

namespace tw {

class StoreOpener;

// One report made away from the window's thread, on a store connection of its own opened
// read-only, so that the window goes on working while the journal is read. The result is
// taken on the window's thread once finished() is emitted. A job can be cancelled: the reading
// stops at its next batch, and whatever it made is dropped.
class ReportJob : public QObject {
  Q_OBJECT

 public:
  enum class Kind { Text, Csv };
  enum class Failure {
    None,
    // The store could not be opened or read.
    Store,
    // The report cannot be made (a bound that is no date, a total out of range).
    Report,
    // Cancelled before it was taken.
    Cancelled,
  };

  ReportJob(const StoreOpener& stores, std::string storePath, QObject* parent = nullptr);
  // Cancels a report under way and waits for its thread, which stops at its next batch.
  ~ReportJob() override;

  void start(Kind kind, ReportRequest request);
  void cancel();
  bool running() const { return running_; }

  Kind kind() const { return kind_; }
  Failure failure() const { return cancelled_ ? Failure::Cancelled : failure_; }
  const QString& description() const { return description_; }
  std::string takeResult() { return std::move(result_); }

 signals:
  // How many journal entries have been read so far.
  void progressed(qulonglong items);
  void finished();

 private:
  // On the job's thread.
  void run(const ReportRequest& request);
  void tellProgress(std::size_t items);

  const StoreOpener& stores_;
  std::string storePath_;
  std::unique_ptr<QThread> thread_;
  Kind kind_ = Kind::Text;
  Failure failure_ = Failure::None;
  QString description_;
  std::string result_;
  std::atomic<std::size_t> itemsRead_ = 0;
  std::atomic<bool> progressPending_ = false;
  std::atomic<bool> cancelled_ = false;
  bool running_ = false;
};

}  // namespace tw
