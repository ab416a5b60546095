#pragma once

#include <optional>
#include <string>

#include "core/Instant.h"
#include "store/JournalStore.h"
#include "store/SyncState.h"
#include "sync/DavClient.h"
#include "sync/ItemKind.h"
#include "sync/SyncResult.h"

namespace tw {

// Brings a version from the server together with the local item, inside the caller's
// transaction. Where only one side changed since the last synchronisation, that side's
// version stands; where both changed, the fields are merged one by one against the last
// synchronised copy, and where both changed the same field the server's value is taken and
// the local version kept as a conflict copy. An edit beats a delete on either side. An entry
// of an invoiced period is never changed by the server: its version becomes a conflict copy.
// A version whose item is on another collection of the kind (another task list) is skipped.
class Reconciler {
 public:
  Reconciler(JournalStore& store, SyncState& state, const ItemKind& kind, SyncResult& result,
             Instant now);

  // The server holds this version (new or changed there).
  void adopt(const DavClient::Resource& resource);
  // The server no longer has the row's item.
  void gone(const SyncState::Item& row);

 private:
  std::optional<ItemKind::Fields> baseOf(const SyncState::Item& row) const;
  void keepConflictCopy(const std::string& uid, const ItemKind::Fields& local,
                        const std::string& base, const std::string& fields);
  // Stores the fields as the local item. A change the store refuses because the entry is
  // invoiced changes nothing: the server's version is kept as a conflict copy of the fields it
  // would change, and the local item stays, to go to the server again. False then.
  bool storeLocal(const DavClient::Resource& resource, const std::string& uid,
                  const ItemKind::Fields& fields, const std::optional<ItemKind::Fields>& local);

  void elsewhere(const DavClient::Resource& resource);
  // Deletes the local item; false when it is still needed here (timed, or invoiced).
  bool removeLocal(const SyncState::Item& row);

  JournalStore& store_;
  SyncState& state_;
  const ItemKind& kind_;
  SyncResult& result_;
  Instant now_;
};

}  // namespace tw
