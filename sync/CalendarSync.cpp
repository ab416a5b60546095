#include "sync/CalendarSync.h"

#include "core/SystemClock.h"
#include "sync/ChangeReceiver.h"
#include "sync/ChangeSender.h"
#include "sync/CollectionFinder.h"
#include "sync/DavClient.h"
#include "sync/EntryKind.h"
#include "sync/HttpClient.h"
#include "sync/SyncError.h"
#include "sync/TaskKind.h"

namespace tw {

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
  const TaskKind tasks;
  const EntryKind entries;
  const ItemKind* kinds[] = {&tasks, &entries};
  std::string urls[2];
  for (int i = 0; i < 2; ++i) {
    urls[i] = finder.locate(*kinds[i]);
    ChangeReceiver receiver(store_, state_, dav, *kinds[i], result, now);
    if (!receiver.run(urls[i])) {
      finder.recreate(*kinds[i], urls[i]);
      if (!receiver.run(urls[i]))
        throw SyncError(dav.describe(urls[i]) + " lost the calendar made just now");
    }
  }
  for (int i = 0; i < 2; ++i)
    ChangeSender(store_, state_, dav, *kinds[i], result, now, options_.afterAnswer).run(urls[i]);
  requests_ = http.requestCount();
  return result;
}

std::optional<SyncResult> CalendarSync::runConfigured(JournalStore& store, SyncState& state) {
  const std::optional<SyncConfig> config = SyncConfig::load(SyncConfig::defaultPath());
  if (!config) return std::nullopt;
  return CalendarSync(store, state, *config).run();
}

}  // namespace tw
