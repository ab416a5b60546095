#include "store/sqlite/BatchReader.h"

#include <array>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "store/sqlite/Statement.h"

namespace tw {
namespace {

// Two batches passed back and forth: the reader fills one while the sink works on the other.
// A batch grows as it is first filled (a day's read makes no room for thousands of entries) and
// keeps its entries, whose texts' storage the next rows reuse.
class Exchange {
 public:
  // Reader side: the batch to fill next, or nullptr when the reader is to stop.
  std::vector<JournalEntry>* nextToFill(int b) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return stop_ || counts_[b] < 0; });
    return stop_ ? nullptr : &batches_[b];
  }
  void filled(int b, std::size_t count) { set(b, static_cast<long>(count)); }
  void finish(std::exception_ptr error) {
    const std::lock_guard lock(mutex_);
    done_ = true;
    error_ = std::move(error);
    changed_.notify_all();
  }

  // Sink side: the count of the next filled batch, or -1 when there is none to come.
  long nextFilled(int b) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return counts_[b] >= 0 || done_; });
    return counts_[b];
  }
  const JournalEntry* data(int b) const { return batches_[b].data(); }
  void emptied(int b) { set(b, -1); }
  void stop() {
    const std::lock_guard lock(mutex_);
    stop_ = true;
    changed_.notify_all();
  }
  std::exception_ptr error() const { return error_; }

 private:
  void set(int b, long count) {
    const std::lock_guard lock(mutex_);
    counts_[b] = count;
    changed_.notify_all();
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::array<std::vector<JournalEntry>, 2> batches_;
  std::array<long, 2> counts_ = {-1, -1};
  bool done_ = false;
  bool stop_ = false;
  std::exception_ptr error_;
};

void readInto(Statement& query, BatchReader::RowReader readRow, Exchange& exchange) {
  for (int b = 0;; b ^= 1) {
    std::vector<JournalEntry>* batch = exchange.nextToFill(b);
    if (!batch) return;
    std::size_t n = 0;
    bool more = true;
    while (n < BatchReader::kBatchSize && (more = query.step())) {
      if (n == batch->size()) batch->emplace_back();
      readRow(query, (*batch)[n++]);
    }
    exchange.filled(b, n);
    if (!more) return;
  }
}

}  // namespace

void BatchReader::run(Statement& query, RowReader readRow, const JournalStore::BatchSink& sink) {
  Exchange exchange;
  std::thread reader([&] {
    std::exception_ptr error;
    try {
      readInto(query, readRow, exchange);
    } catch (...) {
      error = std::current_exception();
    }
    exchange.finish(error);
  });
  try {
    for (int b = 0;; b ^= 1) {
      const long count = exchange.nextFilled(b);
      if (count < 0) break;
      if (count > 0)
        sink(JournalStore::EntryBatch(exchange.data(b), static_cast<std::size_t>(count)));
      exchange.emptied(b);
    }
  } catch (...) {
    exchange.stop();
    reader.join();
    throw;
  }
  reader.join();
  if (exchange.error()) std::rethrow_exception(exchange.error());
}

}  // namespace tw
