#pragma once

#include <string>
#include <vector>

#include "core/Instant.h"
#include "store/JournalStore.h"
#include "store/SyncState.h"
#include "sync/DavClient.h"
#include "sync/ItemKind.h"
#include "sync/SyncResult.h"

namespace tw {

// Brings one collection's changes from the server into the store: with sync-collection
// (RFC 6578) page by page when the server has it, at most kMaxPages pages a run; with a full
// listing when it refuses the saved token; with ctag and ETags when it says it has no
// sync-collection, trying the report again a day later. A server error fails the run and
// changes nothing. The objects are fetched with calendar-multiget; the token or ctag is
// stored in the same transaction as the last of the changes it brought.
class ChangeReceiver {
 public:
  ChangeReceiver(JournalStore& store, SyncState& state, DavClient& dav, const ItemKind& kind,
                 SyncResult& result, Instant now);

  static constexpr int kMaxPages = 1000;
  // How long after a refusal of sync-collection it is tried again.
  static constexpr std::int64_t kReportRetrySeconds = 24 * 3600;

  // False when the collection is gone from the server.
  bool run(const std::string& collectionUrl);

 private:
  bool byReport(const std::string& url, SyncState::Collection collection);
  // Rows whose address is in none of the kind's collections (taken in by earlier versions
  // from other calendars or servers): their items stay here only, and nothing is sent for them.
  void releaseForeignRows(const std::string& url);
  bool byCtag(const std::string& url, SyncState::Collection collection);
  // The members to fetch, and (for a complete listing) the rows of the collection whose member
  // is gone.
  void compare(const std::string& collection, const std::vector<DavClient::Member>& members,
               bool complete, std::vector<std::string>& fetch, std::vector<std::string>& gone);
  // complete: members is every member, so the rows missing from it were removed.
  void apply(const std::string& url, const std::vector<DavClient::Member>& members,
             const std::vector<std::string>& removed, bool complete,
             const SyncState::Collection& next);

  JournalStore& store_;
  SyncState& state_;
  DavClient& dav_;
  const ItemKind& kind_;
  SyncResult& result_;
  Instant now_;
};

}  // namespace tw
