#pragma once

#include <optional>

#include "core/JournalEntry.h"
#include "store/InvoicedError.h"

namespace tw {

class Database;

// The journal's side of invoicing: an entry that names a client among its categories and lies
// on a day of an invoiced period of that client may not be added, changed or deleted. Every
// write of an entry asks here, for the entry as it is and as it would be.
class InvoiceLock {
 public:
  explicit InvoiceLock(Database& db) : db_(db) {}

  // True when any period is marked (so that a change need not read the entry before it).
  bool any();
  // The refusal naming the period, when the entry lies in one of its client's. (Returned, not
  // thrown, so that the caller can end its transaction first: a refused change leaves an
  // enclosing transaction, such as a synchronisation's, able to go on.)
  std::optional<InvoicedError> refusal(const JournalEntry& entry, const char* change);

 private:
  Database& db_;
};

}  // namespace tw
