#include "gui/billing/BillJob.h"

#include <exception>
#include <utility>

#include "billing/BillBuilder.h"
#include "core/Error.h"
#include "store/StoreOpener.h"

namespace tw {
namespace {

// Thrown on the job's thread to stop the reading; never leaves the job.
class BillCancelled : public Error {
 public:
  BillCancelled() : Error("The bill was cancelled.") {}
};

}  // namespace

BillJob::BillJob(const StoreOpener& stores, std::string storePath, QObject* parent)
    : QObject(parent), stores_(stores), storePath_(std::move(storePath)) {}

BillJob::~BillJob() {
  cancel();
  if (thread_) thread_->wait();
}

void BillJob::start(BillRequest request) {
  cancel();
  if (thread_) thread_->wait();
  cancelled_ = false;
  bill_.reset();
  failure_.clear();
  thread_.reset(QThread::create([this, request = std::move(request)] { run(request); }));
  connect(thread_.get(), &QThread::finished, this, &BillJob::finished);
  thread_->start();
}

void BillJob::cancel() {
  cancelled_ = true;
}

bool BillJob::running() const {
  return thread_ && thread_->isRunning();
}

void BillJob::run(const BillRequest& request) {
  try {
    const std::unique_ptr<JournalStore> store =
        stores_.open(storePath_, StoreOpener::Access::ReadOnly);
    const std::unique_ptr<BillingStore> billing = stores_.billing(*store);
    if (cancelled_) return;
    bill_ = BillBuilder(*store, *billing).build(request, [this](std::size_t) {
      if (cancelled_) throw BillCancelled();
    });
  } catch (const BillCancelled&) {
    bill_.reset();  // cancelled: no bill and no failure
  } catch (const std::exception& e) {
    failure_ = QString::fromStdString(e.what());
  }
}

}  // namespace tw
