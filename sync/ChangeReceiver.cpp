#include "sync/ChangeReceiver.h"

#include <algorithm>
#include <optional>
#include <set>
#include <unordered_map>

#include "sync/Href.h"
#include "sync/Reconciler.h"
#include "sync/ServerText.h"
#include "sync/SyncError.h"

namespace tw {
namespace {

// Received changes are stored in transactions of this many, a few milliseconds each.
constexpr std::size_t kPerTransaction = 32;

}  // namespace

ChangeReceiver::ChangeReceiver(JournalStore& store, SyncState& state, DavClient& dav,
                               const ItemKind& kind, SyncResult& result, Instant now)
    : store_(store), state_(state), dav_(dav), kind_(kind), result_(result), now_(now) {}

bool ChangeReceiver::run(const std::string& url) {
  releaseForeignRows(url);
  SyncState::Collection collection = state_.collectionAt(kind_.kind(), url);
  collection.url = url;
  // A saved ctag without a token: this server refused sync-collection.
  if (collection.syncToken.empty() && !collection.ctag.empty() &&
      now_.unixSeconds() - collection.reportRefused < kReportRetrySeconds)
    return byCtag(url, collection);
  return byReport(url, collection);
}

bool ChangeReceiver::byReport(const std::string& url, SyncState::Collection collection) {
  bool complete = collection.syncToken.empty();
  DavClient::Changes changes = dav_.changesSince(url, collection.syncToken);
  for (int page = 1;; ++page) {
    if (changes.refused == DavClient::Refusal::Gone) return false;
    if (changes.refused == DavClient::Refusal::Report) {
      collection.reportRefused = now_.unixSeconds();
      return byCtag(url, collection);
    }
    if (changes.refused == DavClient::Refusal::Token) {
      if (complete) throw SyncError(dav_.describe(url) + " refused even an empty sync token");
      // The server no longer knows the token: compare everything it has.
      complete = true;
      collection.syncToken.clear();
    } else {
      const bool more = changes.truncated && changes.token != collection.syncToken;
      collection.syncToken = changes.token;
      collection.ctag.clear();
      collection.reportRefused = 0;
      apply(url, changes.changed, changes.removed, complete && !changes.truncated, collection);
      if (!more) return true;
      complete = false;
    }
    if (page == kMaxPages)
      throw SyncError(dav_.describe(url) + " still announced more changes after " +
                      std::to_string(kMaxPages) +
                      " pages; the synchronisation stopped there and goes on next time");
    changes = dav_.changesSince(url, collection.syncToken);
  }
}

bool ChangeReceiver::byCtag(const std::string& url, SyncState::Collection collection) {
  const std::optional<std::string> ctag = dav_.ctag(url);
  if (!ctag) return false;
  if (!ctag->empty() && *ctag == collection.ctag) {
    if (state_.collectionAt(kind_.kind(), url).reportRefused != collection.reportRefused)
      store_.transact([&] { state_.putCollection(kind_.kind(), collection); });
    return true;
  }
  collection.syncToken.clear();
  // A server without ctag is listed every time; "-" still marks it as one without
  // sync-collection.
  collection.ctag = ctag->empty() ? "-" : *ctag;
  apply(url, dav_.members(url), {}, true, collection);
  return true;
}

void ChangeReceiver::releaseForeignRows(const std::string& url) {
  const std::string collection = Href::path(url);
  std::vector<std::string> ours{collection};
  for (const SyncState::Collection& c : state_.collections(kind_.kind()))
    ours.push_back(Href::path(c.url));
  const auto isOurs = [&](const std::string& href) {
    return std::any_of(ours.begin(), ours.end(),
                       [&](const std::string& c) { return Href::isMember(c, href); });
  };
  std::vector<SyncState::Item> foreign;
  for (SyncState::Item& row : state_.items(kind_.kind()))
    if (!row.href.empty() && !isOurs(row.href)) foreign.push_back(row);
  if (foreign.empty()) return;
  store_.transact([&] {
    for (const SyncState::Item& row : foreign) {
      state_.removeItem(kind_.kind(), row.uid);
      const std::optional<ItemKind::Fields> local = kind_.local(store_, row.uid);
      if (!local) continue;
      const std::string why = "an earlier version took it from " + ServerText::oneLine(row.href) +
                              ", outside " + collection + "; it stays here only";
      state_.putHold({kind_.kind(), row.uid, true, 0, 0, why, now_.unixSeconds()});
      result_.problems.push_back({kind_.describe(*local), 0, why});
    }
  });
}

void ChangeReceiver::compare(const std::string& collection,
                             const std::vector<DavClient::Member>& members, bool complete,
                             std::vector<std::string>& fetch, std::vector<std::string>& gone) {
  if (members.empty() && !complete) return;
  std::unordered_map<std::string, std::string> etags;
  for (const SyncState::Item& row : state_.items(kind_.kind()))
    if (Href::isMember(collection, row.href)) etags.emplace(row.href, row.etag);
  std::set<std::string> listed;
  for (const DavClient::Member& m : members) {
    listed.insert(m.href);
    const auto known = etags.find(m.href);
    if (known == etags.end() || known->second != m.etag || m.etag.empty()) fetch.push_back(m.href);
  }
  if (complete)
    for (const auto& [href, etag] : etags)
      if (!listed.count(href)) gone.push_back(href);
}

void ChangeReceiver::apply(const std::string& url, const std::vector<DavClient::Member>& members,
                           const std::vector<std::string>& removed, bool complete,
                           const SyncState::Collection& next) {
  std::vector<std::string> fetch;
  std::vector<std::string> gone = removed;
  compare(Href::path(url), members, complete, fetch, gone);
  const SyncState::Collection known = state_.collectionAt(kind_.kind(), url);
  if (fetch.empty() && gone.empty() && known.syncToken == next.syncToken && known.ctag == next.ctag)
    return;
  const std::vector<DavClient::Resource> resources = dav_.fetch(url, fetch);
  // Short transactions, so that the window's saves never wait long; the new state goes with
  // the last of them, so a synchronisation cut short fetches these changes again.
  const std::size_t total = resources.size() + gone.size();
  std::size_t done = 0;
  do {
    const std::size_t end = std::min(total, done + kPerTransaction);
    store_.transact([&] {
      Reconciler reconciler(store_, state_, kind_, result_, now_);
      for (; done < end; ++done) {
        if (done < resources.size()) {
          reconciler.adopt(resources[done]);
        } else if (const std::optional<SyncState::Item> row =
                       state_.itemAt(kind_.kind(), gone[done - resources.size()])) {
          reconciler.gone(*row);
        }
      }
      if (done == total) state_.putCollection(kind_.kind(), next);
    });
  } while (done < total);
}

}  // namespace tw
