#include "sync/CollectionFinder.h"

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
  const std::string& url = isTasks(kind) ? config_.tasks : config_.timelog;
  return url.empty() ? url : Href::asCollection(url);
}

std::string CollectionFinder::locate(const ItemKind& kind) {
  const SyncState::Collection known = state_.collection(kind.kind());
  std::string url = configured(kind);
  if (url.empty())
    url = !known.url.empty() && known.home == config_.url ? known.url : discover(kind);
  if (known.url != url || known.home != config_.url) start(kind, url);
  return url;
}

void CollectionFinder::start(const ItemKind& kind, const std::string& url) {
  store_.transact([&] {
    const SyncState::Collection known = state_.collection(kind.kind());
    if (known.url != url) state_.forget(kind.kind());
    SyncState::Collection next = known.url == url ? known : SyncState::Collection{};
    next.url = url;
    next.home = config_.url;
    state_.putCollection(kind.kind(), next);
  });
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
    state_.forget(kind.kind());
    state_.putCollection(kind.kind(), {url, config_.url, {}, {}});
  });
}

}  // namespace tw
