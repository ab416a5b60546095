#pragma once

#include "store/JournalStore.h"

namespace tw {

class Statement;

// Reads the rows of a query on a thread of its own into batches of entries (each row through
// readRow: EntryRows::read or readShown) while the caller's thread hands the previous batch to
// the sink, so that reading the store and working on what was read share the machine's cores.
// Nothing else may use the statement's connection until run returns; the sink must not call
// the store.
class BatchReader {
 public:
  using RowReader = void (*)(const Statement&, JournalEntry&);
  static constexpr std::size_t kBatchSize = 4096;
  static void run(Statement& query, RowReader readRow, const JournalStore::BatchSink& sink);
};

}  // namespace tw
