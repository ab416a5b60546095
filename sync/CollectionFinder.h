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

// Where each kind of item lives on the server. The default collection of a kind is the one the
// configuration names (for tasks: tasks, else the first of task_lists), else the one found
// before from the same address, else the calendar named "tasks" or "timelog" in the calendar
// home (found through the principal), made with MKCALENDAR when missing. When the time log
// changes, the rows of the old one are forgotten, so that every entry is offered to the new one.
// Each task list keeps a state of its own: the default list changing, or a list no longer
// chosen, leaves the others' rows and tasks as they are, so that choosing a list again goes on
// where it stopped. When the account moved to another address (url), the lists found from the
// old one that are no longer chosen are left: their rows are forgotten and their tasks put on
// no list, so that they go to the default list as new ones and never vanish from sight.
class CollectionFinder {
 public:
  CollectionFinder(JournalStore& store, SyncState& state, DavClient& dav, const SyncConfig& config);

  // The kind's default collection.
  std::string locate(const ItemKind& kind);
  // The task lists to synchronise: the default list (locate) first, then the others chosen.
  std::vector<std::string> taskLists(const ItemKind& tasks);
  // Makes the collection again after it disappeared from the server.
  void recreate(const ItemKind& kind, const std::string& url);

 private:
  std::string configured(const ItemKind& kind) const;
  std::string discover(const ItemKind& kind);
  void makeCalendar(const ItemKind& kind, const std::string& url);
  void start(const ItemKind& kind, const std::string& url, bool isDefault);
  // Forgets the rows and holds of the items on the task list at url, and its state.
  void forgetList(const std::string& url);
  void leaveBehind(const std::vector<std::string>& lists);
  // Puts the tasks on no list whose copy is on one of the lists (as an earlier version or a
  // recovered store left them, or a deletion given up brought them back) on that list.
  void placeStrays();

  JournalStore& store_;
  SyncState& state_;
  DavClient& dav_;
  const SyncConfig& config_;
  std::optional<std::vector<std::string>> calendars_;
  std::string home_;
};

}  // namespace tw
