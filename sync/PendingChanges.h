#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/JournalStore.h"
#include "store/SyncState.h"
#include "sync/ItemKind.h"

namespace tw {

// The changes of one kind of item still to be sent: an item without a row, or whose fields no
// longer match its row's digest, and a row whose item is gone. The one reading of the offline
// queue, for the sending and for people (tallyworks sync queue). Items, rows and holds the kind
// finds elsewhere (on another task list) are left out and left alone.
class PendingChanges {
 public:
  enum class Verb { Create, Change, Delete };

  struct Change {
    Verb verb = Verb::Create;
    // The row as SyncState::items gives it (without its iCalendar text); a fresh row for a
    // creation.
    SyncState::Item row;
    // The local fields and their digest; empty and 0 for a deletion.
    ItemKind::Fields fields;
    std::uint64_t digest = 0;
    // The hold that keeps it back: the server refused this very change before.
    std::optional<SyncState::Hold> hold;
  };

  // The changes, and what the queue no longer needs.
  struct Queue {
    std::vector<Change> changes;
    // Rows of items deleted here that the server never had.
    std::vector<std::string> neverSent;
    // Holds that no longer apply: the item changed again, was synchronised or is gone.
    std::vector<std::string> staleHolds;
    // Local items kept here only.
    std::vector<SyncState::Hold> hereOnly;
  };

  static Queue of(JournalStore& store, SyncState& state, const ItemKind& kind);
};

}  // namespace tw
