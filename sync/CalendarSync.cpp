#include "sync/CalendarSync.h"

#include <memory>
#include <vector>

#include "core/SystemClock.h"
#include "sync/ChangeReceiver.h"
#include "sync/ChangeSender.h"
#include "sync/CollectionFinder.h"
#include "sync/DavClient.h"
#include "sync/EntryKind.h"
#include "sync/Href.h"
#include "sync/HttpClient.h"
#include "sync/SyncError.h"
#include "sync/TaskKind.h"

namespace tw {
namespace {

// A collection to synchronise, and the kind of its items.
struct Target {
  std::unique_ptr<ItemKind> kind;
  std::string url;
  // A task list chosen besides the default one: skipped, not made again, when it is gone.
  bool chosen = false;
};

}  // namespace

CalendarSync::CalendarSync(JournalStore& store, SyncState& state, SyncConfig config)
    : CalendarSync(store, state, std::move(config), Options{}) {}

CalendarSync::CalendarSync(JournalStore& store, SyncState& state, SyncConfig config,
                           Options options)
    : store_(store), state_(state), config_(std::move(config)), options_(std::move(options)) {}

SyncResult CalendarSync::run() {
  const SystemClock systemClock;
  const Instant now = (options_.clock ? *options_.clock : systemClock).now();
  HttpClient::Limits limits = options_.limits;
  if (!config_.caFile.empty()) limits.caFile = config_.caFile;
  HttpClient http(config_.username, config_.password(), options_.parallel, limits);
  if (options_.stop) http.stopWhen(options_.stop);
  SyncResult result;
  DavClient dav(http, config_.url.empty() ? config_.tasks : config_.url, &result);
  CollectionFinder finder(store_, state_, dav, config_);
  const std::vector<std::string> lists = finder.taskLists(TaskKind());
  std::vector<Target> targets;
  targets.reserve(lists.size() + 1);
  for (std::size_t i = 0; i < lists.size(); ++i)
    targets.push_back({std::make_unique<TaskKind>(lists[i], i == 0), lists[i], i > 0});
  targets.push_back({std::make_unique<EntryKind>(), finder.locate(EntryKind()), false});
  std::vector<const Target*> found;
  for (const Target& t : targets) {
    ChangeReceiver receiver(store_, state_, dav, *t.kind, result, now);
    if (!receiver.run(t.url)) {
      if (t.chosen) {
        result.problems.push_back({"task list " + Href::path(t.url), 0,
                                   "it is no longer on the server; its tasks are kept here"});
        continue;
      }
      finder.recreate(*t.kind, t.url);
      if (!receiver.run(t.url))
        throw SyncError(dav.describe(t.url) + " lost the calendar made just now");
    }
    found.push_back(&t);
  }
  for (const Target* t : found)
    ChangeSender(store_, state_, dav, *t->kind, result, now, options_.afterAnswer).run(t->url);
  requests_ = http.requestCount();
  return result;
}

}  // namespace tw
