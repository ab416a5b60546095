#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/Instant.h"
#include "store/JournalStore.h"
#include "store/SyncState.h"
#include "sync/DavClient.h"
#include "sync/ItemKind.h"
#include "sync/PendingChanges.h"
#include "sync/SyncResult.h"

namespace tw {

// Sends one collection's local changes, several requests at once: new items with
// If-None-Match: * (a 412 means the server has it already, perhaps from a sending whose answer
// was lost: it is fetched and adopted, never duplicated), changes with If-Match (412: fetched,
// merged, sent again), deletions with If-Match (404 and 410 count as done; 412: the server's
// edit beats the delete). The rows are stored as the answers come, so a sending cut short
// loses nothing: what is not confirmed is sent again next time. A change the server refuses
// (another 4xx) is held with the server's words until the item changes again or the user
// retries it; no answer, a server error (5xx) or a refused password ends the run.
class ChangeSender {
 public:
  ChangeSender(JournalStore& store, SyncState& state, DavClient& dav, const ItemKind& kind,
               SyncResult& result, Instant now, std::function<void()> afterAnswer);

  void run(const std::string& collectionUrl);

 private:
  struct Job {
    PendingChanges::Verb verb;
    SyncState::Item row;
    std::string ical;
    std::uint64_t digest = 0;
    // For people: "journal entry “Layout” of ...".
    std::string what;
  };

  // Where a sending stands while the answers come.
  struct Outcome {
    std::vector<SyncState::Item> sent;
    std::vector<std::string> deleted;
    std::vector<SyncState::Hold> refused;
    // The paths where the server had another version.
    std::vector<std::string> stale;
    // Some items have to go out again in another round.
    bool again = false;
    // The first answer that means the server cannot be used now.
    std::optional<HttpClient::Response> stop;
  };

  std::vector<Job> jobs(const std::string& url);
  // True when another round is needed.
  bool send(const std::vector<Job>& jobs);
  void settle(const Job& job, HttpClient::Response r, Outcome& outcome);
  void store(Outcome& outcome);
  void refetch(const std::vector<std::string>& stale);

  JournalStore& store_;
  SyncState& state_;
  DavClient& dav_;
  const ItemKind& kind_;
  SyncResult& result_;
  Instant now_;
  std::function<void()> afterAnswer_;
  bool heldCounted_ = false;
};

}  // namespace tw
