#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Instant.h"
#include "store/JournalStore.h"
#include "store/SyncState.h"

namespace tw {

// The local versions that lost to the server's where both sides changed a field, as people
// see them, and what can be done with one: take it back (its values become the item's again
// and go to the server with the next synchronisation) or let it go.
class ConflictCopies {
 public:
  // One field both sides changed, its values in the form the program shows them.
  struct Difference {
    std::string field;
    std::string mine;
    std::string now;
  };

  struct Copy {
    std::int64_t id = 0;
    Instant saved;
    // "task" or "journal entry", and its subject here (the kept one when the item is gone).
    std::string noun;
    std::string subject;
    bool gone = false;
    std::vector<Difference> differences;
  };

  ConflictCopies(JournalStore& store, std::unique_ptr<SyncState> state);

  // Oldest first.
  std::vector<Copy> list();
  std::size_t count();
  // The kept values of the fields both sides changed become the item's again (the whole kept
  // version when the item was deleted since), and the copy is let go; one transaction.
  void restore(std::int64_t id);
  void dismiss(std::int64_t id);

 private:
  SyncState::ConflictCopy find(std::int64_t id);
  Copy describe(const SyncState::ConflictCopy& kept);

  JournalStore& store_;
  std::unique_ptr<SyncState> state_;
};

}  // namespace tw
