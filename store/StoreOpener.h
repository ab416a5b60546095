#pragma once

#include <memory>
#include <string>

#include "store/BillingStore.h"
#include "store/HamsterFacts.h"
#include "store/ImportLedger.h"
#include "store/JournalStore.h"
#include "store/SyncState.h"

namespace tw {

// Opens the store behind a path: the program gives the front ends the backend it uses, and
// tests give theirs.
class StoreOpener {
 public:
  enum class Access {
    // Creates the store (and its folders) when missing.
    ReadWrite,
    // Never creates nor changes anything: for commands that only read, also on a store the
    // user may read but not write.
    ReadOnly,
  };

  virtual ~StoreOpener() = default;
  // Throws StoreError with a description when the store cannot be opened.
  virtual std::unique_ptr<JournalStore> open(const std::string& path, Access access) const = 0;
  // The calendar synchronisation's state kept in a store this opener opened, on the store's
  // own connection. Throws StoreError when the backend keeps none.
  virtual std::unique_ptr<SyncState> syncState(JournalStore& store) const;
  // Saves what can still be read of a damaged store into a new store file, leaving the damaged
  // one as it is; returns what was saved, for people. Throws StoreError.
  virtual std::string recover(const std::string& damaged, const std::string& target) const;
  // The records of imported entries kept in a store this opener opened, on its connection.
  // Throws StoreError when the backend keeps none.
  virtual std::unique_ptr<ImportLedger> importLedger(JournalStore& store) const;
  // A Hamster time tracker database, opened to read only (the file is never changed). Throws
  // StoreError when it cannot be opened or is no Hamster database.
  virtual std::unique_ptr<HamsterFacts> openHamster(const std::string& path) const;
  // The clients, rates and invoiced periods kept in a store this opener opened, on its
  // connection. Throws StoreError when the backend keeps none.
  virtual std::unique_ptr<BillingStore> billing(JournalStore& store) const;
};

}  // namespace tw
