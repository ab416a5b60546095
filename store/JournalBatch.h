#pragma once

#include <cstdint>
#include <memory>

#include "model/JournalEntry.h"

namespace tw {

class Connection;
class MAPIFolder;
class Statement;
class Transaction;

// Many new journal items written in one transaction: all of them are stored by commit, none
// when the batch ends without it. The import of the command line uses it.
class JournalBatch {
 public:
  // The folder must be the journal; another folder throws StoreError.
  explicit JournalBatch(const MAPIFolder& journal);
  ~JournalBatch();
  JournalBatch(const JournalBatch&) = delete;
  JournalBatch& operator=(const JournalBatch&) = delete;

  // A new item with the entry's subject, start, duration, Category (as Categories), company,
  // entrytype (as Type) and notes (as Body); the entry's item id is not used.
  void add(const JournalEntry& entry);
  void commit();

 private:
  std::shared_ptr<Connection> connection_;
  std::unique_ptr<Transaction> transaction_;
  std::unique_ptr<Statement> insert_;
  std::int64_t added_ = 0;
};

}  // namespace tw
