#include "gui/report/ReportJob.h"

#include <exception>
#include <utility>

#include "core/Error.h"
#include "report/ReportRun.h"
#include "store/StoreError.h"
#include "store/StoreOpener.h"

namespace tw {

namespace {

// Thrown on the job's thread to stop the reading; never leaves the job.
class ReportCancelled : public Error {
 public:
  ReportCancelled() : Error("The report was cancelled.") {}
};

}  // namespace

ReportJob::ReportJob(const StoreOpener& stores, std::string storePath, QObject* parent)
    : QObject(parent), stores_(stores), storePath_(std::move(storePath)) {}

ReportJob::~ReportJob() {
  cancel();
  if (thread_) thread_->wait();
}

void ReportJob::start(Kind kind, ReportRequest request) {
  if (thread_) thread_->wait();
  cancelled_ = false;
  running_ = true;
  kind_ = kind;
  failure_ = Failure::None;
  description_.clear();
  result_.clear();
  thread_.reset(QThread::create([this, request = std::move(request)] { run(request); }));
  connect(thread_.get(), &QThread::finished, this, [this] {
    running_ = false;
    if (cancelled_) result_.clear();
    emit finished();
  });
  thread_->start();
}

void ReportJob::cancel() {
  if (running_) cancelled_ = true;
}

void ReportJob::run(const ReportRequest& request) {
  try {
    const std::unique_ptr<JournalStore> store =
        stores_.open(storePath_, StoreOpener::Access::ReadOnly);
    const ReportRun::Progress progress = [this](std::size_t items) {
      if (cancelled_) throw ReportCancelled();
      tellProgress(items);
    };
    result_ = kind_ == Kind::Text ? ReportRun::text(*store, request, progress)
                                  : ReportRun::csv(*store, request, progress);
  } catch (const ReportCancelled&) {
    result_.clear();
  } catch (const StoreError& e) {
    failure_ = Failure::Store;
    description_ = QString::fromStdString(e.what());
  } catch (const std::exception& e) {
    failure_ = Failure::Report;
    description_ = QString::fromStdString(e.what());
  }
}

// At most one progress report waits on the window's thread; it tells the latest count.
void ReportJob::tellProgress(std::size_t items) {
  itemsRead_ = items;
  if (progressPending_.exchange(true)) return;
  QMetaObject::invokeMethod(
      this,
      [this] {
        progressPending_ = false;
        emit progressed(itemsRead_.load());
      },
      Qt::QueuedConnection);
}

}  // namespace tw
