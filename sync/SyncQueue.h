#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/Clock.h"
#include "core/Instant.h"
#include "store/JournalStore.h"
#include "store/SyncState.h"
#include "sync/PendingChanges.h"

namespace tw {

// The changes waiting to be sent to the calendar server, as people see them, and what can be
// done with one (tallyworks sync queue, the window's problems): retried, so that the next
// synchronisation sends it although the server refused it before; or dropped: the server's
// version stands again (a deleted item comes back, a changed one gets the server's values and
// keeps yours as a conflict copy), and a new item the server never took stays here only.
// Items are named by their UID.
class SyncQueue {
 public:
  struct Waiting {
    SyncState::Kind kind = SyncState::Kind::Task;
    std::string uid;
    PendingChanges::Verb verb = PendingChanges::Verb::Create;
    // "journal entry “Layout” of 6/3/2024 9:00:00 AM".
    std::string what;
    // The server refused it (held until retried or changed again), or it stays here only;
    // status and reason say why, since when.
    bool held = false;
    bool hereOnly = false;
    int status = 0;
    std::string reason;
    Instant since;
  };

  // clock gives the time a drop is noted with.
  SyncQueue(JournalStore& store, std::unique_ptr<SyncState> state, const Clock& clock);

  // The changes waiting, refused ones first, then the items kept here only.
  std::vector<Waiting> list();
  // How many changes the server refused and are held.
  std::size_t held();
  // The change of uid goes with the next synchronisation; an item kept here only is offered
  // to the server again. One transaction; throws SyncError when nothing waits for uid.
  void retry(std::string_view uid);
  void drop(std::string_view uid);

 private:
  Waiting find(std::string_view uid);
  void giveUpChange(const Waiting& w);

  JournalStore& store_;
  std::unique_ptr<SyncState> state_;
  const Clock& clock_;
};

}  // namespace tw
