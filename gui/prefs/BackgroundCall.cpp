#include "gui/prefs/BackgroundCall.h"

#include <QThread>
#include <exception>

namespace tw {

struct BackgroundCall::Shared {
  std::atomic<bool> cancelled = false;
  QString failure;
};

BackgroundCall::BackgroundCall(QObject* parent) : QObject(parent) {}

BackgroundCall::~BackgroundCall() {
  cancel();
}

bool BackgroundCall::start(Work work) {
  if (running_) return false;
  running_ = true;
  shared_ = std::make_shared<Shared>();
  QThread* thread = QThread::create([shared = shared_, work = std::move(work)] {
    try {
      work(shared->cancelled);
    } catch (const std::exception& e) {
      shared->failure = QString::fromStdString(e.what());
    }
  });
  // The thread outlives this object when the work is still under way at its end.
  connect(thread, &QThread::finished, thread, &QObject::deleteLater);
  connect(thread, &QThread::finished, this, [this, shared = shared_] {
    if (shared != shared_) return;
    running_ = false;
    emit finished(shared->cancelled ? tr("Cancelled.") : shared->failure);
  });
  thread->start();
  return true;
}

void BackgroundCall::cancel() {
  if (shared_) shared_->cancelled = true;
}

}  // namespace tw
