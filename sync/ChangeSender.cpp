#include "sync/ChangeSender.h"

#include <unordered_map>

#include "sync/Href.h"
#include "sync/Reconciler.h"

namespace tw {
namespace {

// Rows confirmed by the server are stored in transactions of this many.
constexpr std::size_t kStoreEvery = 100;
// Rounds of sending and fetching what the server had changed meanwhile, per synchronisation.
constexpr int kRounds = 3;

}  // namespace

ChangeSender::ChangeSender(JournalStore& store, SyncState& state, DavClient& dav,
                           const ItemKind& kind, SyncResult& result, Instant now,
                           std::function<void()> afterAnswer)
    : store_(store),
      state_(state),
      dav_(dav),
      kind_(kind),
      result_(result),
      now_(now),
      afterAnswer_(std::move(afterAnswer)) {}

void ChangeSender::run(const std::string& url) {
  for (int round = 0; round < kRounds; ++round) {
    const std::vector<Job> work = jobs(url);
    if (work.empty() || !send(work)) return;
  }
}

std::vector<ChangeSender::Job> ChangeSender::jobs(const std::string& url) {
  std::unordered_map<std::string, SyncState::Item> rows;
  for (SyncState::Item& row : state_.items(kind_.kind())) rows.emplace(row.uid, std::move(row));
  std::vector<Job> out;
  kind_.visitLocals(store_, [&](ItemKind::Item& local) {
    const std::uint64_t digest = ItemKind::digest(local.fields);
    const auto it = rows.find(local.uid);
    SyncState::Item row{kind_.kind(), local.uid, {}, {}, {}, 0};
    if (it != rows.end()) {
      row = std::move(it->second);
      rows.erase(it);
      if (!row.href.empty() && row.digest == digest) return;
      // The server's copy, to write the item into.
      row = *state_.item(kind_.kind(), local.uid);
    }
    const Job::Verb verb = row.href.empty() ? Job::Verb::Create : Job::Verb::Change;
    if (verb == Job::Verb::Create) row.href = Href::member(url, local.uid);
    std::string ical = kind_.serialise(local.uid, local.fields, row.ical, now_);
    out.push_back({verb, std::move(row), std::move(ical), digest});
  });
  // Rows left have lost their local item: deleted here.
  std::vector<std::string> neverSent;
  for (auto& [uid, row] : rows) {
    if (row.href.empty())
      neverSent.push_back(uid);
    else
      out.push_back({Job::Verb::Delete, std::move(row), {}, 0});
  }
  if (!neverSent.empty())
    store_.transact([&] {
      for (const std::string& uid : neverSent) state_.removeItem(kind_.kind(), uid);
    });
  return out;
}

bool ChangeSender::send(const std::vector<Job>& jobs) {
  std::vector<HttpClient::Request> requests;
  requests.reserve(jobs.size());
  for (const Job& job : jobs)
    requests.push_back(
        job.verb == Job::Verb::Delete
            ? dav_.remove(job.row.href, job.row.etag)
            : dav_.put(job.row.href, job.ical, job.verb == Job::Verb::Create ? "" : job.row.etag));
  Outcome outcome;
  dav_.http().performAll(requests, [&](std::size_t i, HttpClient::Response r) {
    settle(jobs[i], std::move(r), outcome);
    if (outcome.sent.size() + outcome.deleted.size() >= kStoreEvery) store(outcome);
    if (afterAnswer_) afterAnswer_();
  });
  store(outcome);
  if (outcome.stop) dav_.fail(*outcome.stop, "sending changes");
  refetch(outcome.stale);
  return outcome.again || !outcome.stale.empty();
}

void ChangeSender::settle(const Job& job, HttpClient::Response r, Outcome& outcome) {
  const bool ok = r.status >= 200 && r.status < 300;
  if (r.status == 0 || r.status == 401) {
    if (!outcome.stop) outcome.stop = std::move(r);
  } else if (r.status == 412) {
    outcome.stale.push_back(job.row.href);
  } else if (job.verb == Job::Verb::Delete && (ok || r.status == 404 || r.status == 410)) {
    outcome.deleted.push_back(job.row.uid);
    ++result_.deleted;
  } else if (ok) {
    outcome.sent.push_back({kind_.kind(), job.row.uid, job.row.href, r.etag, job.ical, job.digest});
    ++result_.sent;
  } else if (job.verb == Job::Verb::Change && (r.status == 404 || r.status == 410)) {
    // Deleted on the server meanwhile: the local change makes it new again.
    SyncState::Item again = job.row;
    again.href.clear();
    again.etag.clear();
    outcome.sent.push_back(again);
    outcome.again = true;
  } else {
    ++result_.failed;
    result_.problems.push_back("the server refused the " + std::string(kind_.noun()) + " " +
                               job.row.uid + " (HTTP " + std::to_string(r.status) + ")");
  }
}

void ChangeSender::store(Outcome& outcome) {
  if (outcome.sent.empty() && outcome.deleted.empty()) return;
  store_.transact([&] {
    for (const SyncState::Item& row : outcome.sent) state_.putItem(row);
    for (const std::string& uid : outcome.deleted) state_.removeItem(kind_.kind(), uid);
  });
  outcome.sent.clear();
  outcome.deleted.clear();
}

void ChangeSender::refetch(const std::vector<std::string>& stale) {
  for (const std::string& href : stale) {
    const std::optional<DavClient::Resource> resource = dav_.get(href);
    store_.transact([&] {
      Reconciler reconciler(store_, state_, kind_, result_, now_);
      if (resource)
        reconciler.adopt(*resource);
      else if (const std::optional<SyncState::Item> row = state_.itemAt(kind_.kind(), href))
        reconciler.gone(*row);
    });
  }
}

}  // namespace tw
