#include "sync/CollectionFinder.h"

#include <algorithm>
#include <unordered_map>

#include "sync/Href.h"

namespace tw {
namespace {

bool isTasks(const ItemKind& kind) {
  return kind.kind() == SyncState::Kind::Task;
}

const char* segmentOf(const ItemKind& kind) {
  return isTasks(kind) ? "tasks" : "timelog";
}

}  // namespace

CollectionFinder::CollectionFinder(JournalStore& store, SyncState& state, DavClient& dav,
                                   const SyncConfig& config)
    : store_(store), state_(state), dav_(dav), config_(config) {}

std::string CollectionFinder::configured(const ItemKind& kind) const {
  std::string url = isTasks(kind) ? config_.newTaskList() : config_.timelog;
  return url.empty() ? url : Href::asCollection(url);
}

std::string CollectionFinder::locate(const ItemKind& kind) {
  const SyncState::Collection known = state_.collection(kind.kind());
  std::string url = configured(kind);
  if (url.empty())
    url = !known.url.empty() && known.home == config_.url ? known.url : discover(kind);
  if (known.url != url || known.home != config_.url) start(kind, url, true);
  return url;
}

std::vector<std::string> CollectionFinder::taskLists(const ItemKind& tasks) {
  std::vector<std::string> lists{locate(tasks)};
  for (const std::string& url : config_.shownTaskLists()) {
    if (std::find(lists.begin(), lists.end(), url) != lists.end()) continue;
    const SyncState::Collection known = state_.collectionAt(tasks.kind(), url);
    if (known.url != url || known.home != config_.url) start(tasks, url, false);
    lists.push_back(url);
  }
  leaveBehind(lists);
  placeStrays();
  return lists;
}

void CollectionFinder::placeStrays() {
  std::unordered_map<std::string, std::string> hrefs;
  for (SyncState::Item& row : state_.items(SyncState::Kind::Task))
    if (!row.href.empty()) hrefs.emplace(std::move(row.uid), std::move(row.href));
  const std::vector<SyncState::Collection> collections = state_.collections(SyncState::Kind::Task);
  std::vector<Task> strays;
  for (Task& task : store_.tasks()) {
    const auto href = hrefs.find(task.uid);
    if (!task.list.empty() || href == hrefs.end()) continue;
    for (const SyncState::Collection& c : collections)
      if (Href::isMember(Href::path(c.url), href->second)) task.list = c.url;
    if (!task.list.empty()) strays.push_back(std::move(task));
  }
  if (!strays.empty())
    store_.transact([&] {
      for (const Task& task : strays) store_.updateTask(task);
    });
}

void CollectionFinder::start(const ItemKind& kind, const std::string& url, bool isDefault) {
  store_.transact([&] {
    SyncState::Collection next = state_.collectionAt(kind.kind(), url);
    if (!isTasks(kind) && next.url != url) state_.forget(kind.kind());
    next.url = url;
    next.home = config_.url;
    state_.putCollection(kind.kind(), next);
    if (isDefault) state_.makeDefault(kind.kind(), url);
  });
}

void CollectionFinder::leaveBehind(const std::vector<std::string>& lists) {
  for (const SyncState::Collection& c : state_.collections(SyncState::Kind::Task)) {
    if (c.home == config_.url || std::find(lists.begin(), lists.end(), c.url) != lists.end())
      continue;
    store_.transact([&] {
      forgetList(c.url);
      for (Task task : store_.tasks()) {
        if (task.list != c.url) continue;
        task.list.clear();
        store_.updateTask(task);
      }
    });
  }
}

void CollectionFinder::forgetList(const std::string& url) {
  const std::string path = Href::path(url);
  for (const SyncState::Item& row : state_.items(SyncState::Kind::Task)) {
    if (!Href::isMember(path, row.href)) continue;
    state_.removeItem(SyncState::Kind::Task, row.uid);
    state_.removeHold(SyncState::Kind::Task, row.uid);
  }
  state_.removeCollection(SyncState::Kind::Task, url);
}

std::string CollectionFinder::discover(const ItemKind& kind) {
  if (!calendars_) {
    home_ = dav_.calendarHome(config_.url);
    calendars_ = dav_.calendars(home_);
  }
  const std::string wanted = Href::path(home_) + segmentOf(kind) + "/";
  for (const std::string& c : *calendars_)
    if (Href::path(c) == wanted) return c;
  std::string url = Href::asCollection(Href::resolve(home_, wanted));
  makeCalendar(kind, url);
  return url;
}

void CollectionFinder::makeCalendar(const ItemKind& kind, const std::string& url) {
  dav_.makeCalendar(url, isTasks(kind) ? "Tasks" : "Time log",
                    icalcomponent_kind_to_string(kind.component()));
}

void CollectionFinder::recreate(const ItemKind& kind, const std::string& url) {
  makeCalendar(kind, url);
  store_.transact([&] {
    const bool isDefault = state_.collection(kind.kind()).url == url;
    if (isTasks(kind))
      forgetList(url);
    else
      state_.forget(kind.kind());
    state_.putCollection(kind.kind(), {url, config_.url, {}, {}, 0});
    if (isDefault) state_.makeDefault(kind.kind(), url);
  });
}

}  // namespace tw
