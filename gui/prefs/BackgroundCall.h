#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

namespace tw {

// A piece of long work (a look at the server, the keyring) run on a thread of its own, so that
// the window never waits on it. cancel() asks the work to end (it reads the flag it is given);
// destroying the call never waits either: work still under way finishes on its own, and its
// outcome goes nowhere.
class BackgroundCall : public QObject {
  Q_OBJECT

 public:
  // Gets the cancel flag; what it throws is the failure finished() reports.
  using Work = std::function<void(const std::atomic<bool>& cancelled)>;

  explicit BackgroundCall(QObject* parent = nullptr);
  ~BackgroundCall() override;

  // Starts work; false (and nothing started) while another runs.
  bool start(Work work);
  void cancel();
  bool running() const { return running_; }

 signals:
  // On the caller's thread: the work ended, with the description of its failure or "" for
  // success.
  void finished(const QString& failure);

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
  bool running_ = false;
};

}  // namespace tw
