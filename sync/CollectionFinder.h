#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/JournalStore.h"
#include "store/SyncState.h"
#include "sync/DavClient.h"
#include "sync/ItemKind.h"
#include "sync/SyncConfig.h"

namespace tw {

// Where each kind of item lives on the server: the collection the configuration names, else
// the one found before from the same address, else the calendar named "tasks" or "timelog"
// in the calendar home (found through the principal), made with MKCALENDAR when missing.
// When the collection changes, the rows of the old one are forgotten, so that every local
// item is offered to the new one.
class CollectionFinder {
 public:
  CollectionFinder(JournalStore& store, SyncState& state, DavClient& dav, const SyncConfig& config);

  std::string locate(const ItemKind& kind);
  // Makes the collection again after it disappeared from the server.
  void recreate(const ItemKind& kind, const std::string& url);

 private:
  std::string configured(const ItemKind& kind) const;
  std::string discover(const ItemKind& kind);
  void makeCalendar(const ItemKind& kind, const std::string& url);
  void start(const ItemKind& kind, const std::string& url);

  JournalStore& store_;
  SyncState& state_;
  DavClient& dav_;
  const SyncConfig& config_;
  std::optional<std::vector<std::string>> calendars_;
  std::string home_;
};

}  // namespace tw
