#include "sync/ChangeSender.h"

#include <unordered_map>

#include "sync/Href.h"
#include "sync/Reconciler.h"
#include "sync/ServerText.h"

namespace tw {
namespace {

// Answers that say nothing about the change itself: the run stops, the change stays queued.
bool isPassing(long status) {
  return status == 0 || status == 401 || status == 408 || status == 423 || status == 429 ||
         status >= 500;
}

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
  PendingChanges::Queue queue = PendingChanges::of(store_, state_, kind_);
  if (!queue.neverSent.empty() || !queue.staleHolds.empty())
    store_.transact([&] {
      for (const std::string& uid : queue.neverSent) state_.removeItem(kind_.kind(), uid);
      for (const std::string& uid : queue.staleHolds) state_.removeHold(kind_.kind(), uid);
    });
  std::vector<Job> out;
  for (PendingChanges::Change& change : queue.changes) {
    if (change.hold) {
      // (Counted once, though later rounds see it again.)
      if (!heldCounted_) ++result_.held;
      continue;
    }
    Job job{change.verb, std::move(change.row), {}, change.digest, {}};
    if (change.verb == PendingChanges::Verb::Delete) {
      job.row = state_.item(kind_.kind(), job.row.uid).value_or(job.row);
      job.what = kind_.describe(job.row.uid, job.row.ical);
    } else {
      // The server's copy, to write the item into.
      if (change.verb == PendingChanges::Verb::Change)
        job.row = *state_.item(kind_.kind(), job.row.uid);
      else
        job.row.href = Href::member(url, job.row.uid);
      job.ical = kind_.serialise(job.row.uid, change.fields, job.row.ical, now_);
      job.what = kind_.describe(change.fields);
    }
    out.push_back(std::move(job));
  }
  heldCounted_ = true;
  return out;
}

bool ChangeSender::send(const std::vector<Job>& jobs) {
  std::vector<HttpClient::Request> requests;
  requests.reserve(jobs.size());
  for (const Job& job : jobs)
    requests.push_back(
        job.verb == PendingChanges::Verb::Delete
            ? dav_.remove(job.row.href, job.row.etag)
            : dav_.put(job.row.href, job.ical,
                       job.verb == PendingChanges::Verb::Create ? "" : job.row.etag));
  Outcome outcome;
  dav_.http().performAll(requests, [&](std::size_t i, HttpClient::Response r) {
    settle(jobs[i], std::move(r), outcome);
    if (outcome.sent.size() + outcome.deleted.size() + outcome.refused.size() >= kStoreEvery)
      store(outcome);
    if (afterAnswer_) afterAnswer_();
  });
  store(outcome);
  if (outcome.stop) dav_.fail(*outcome.stop, "sending changes");
  refetch(outcome.stale);
  return outcome.again || !outcome.stale.empty();
}

void ChangeSender::settle(const Job& job, HttpClient::Response r, Outcome& outcome) {
  const bool ok = r.status >= 200 && r.status < 300;
  const bool deleting = job.verb == PendingChanges::Verb::Delete;
  if (isPassing(r.status)) {
    if (!outcome.stop) outcome.stop = std::move(r);
  } else if (r.status == 412) {
    outcome.stale.push_back(job.row.href);
  } else if (deleting && (ok || r.status == 404 || r.status == 410)) {
    outcome.deleted.push_back(job.row.uid);
    ++result_.deleted;
  } else if (ok) {
    outcome.sent.push_back({kind_.kind(), job.row.uid, job.row.href, r.etag, job.ical, job.digest});
    ++result_.sent;
  } else if (job.verb == PendingChanges::Verb::Change && (r.status == 404 || r.status == 410)) {
    // Deleted on the server meanwhile: the local change makes it new again.
    SyncState::Item again = job.row;
    again.href.clear();
    again.etag.clear();
    outcome.sent.push_back(again);
    outcome.again = true;
  } else {
    ++result_.failed;
    const std::string said = ServerText::description(r.body);
    const int status = static_cast<int>(r.status);
    result_.problems.push_back({job.what, status, said});
    outcome.refused.push_back(
        {kind_.kind(), job.row.uid, false, job.digest, status, said, now_.unixSeconds()});
  }
}

void ChangeSender::store(Outcome& outcome) {
  if (outcome.sent.empty() && outcome.deleted.empty() && outcome.refused.empty()) return;
  store_.transact([&] {
    for (const SyncState::Item& row : outcome.sent) {
      state_.putItem(row);
      if (!row.href.empty()) kind_.place(store_, row.uid);
    }
    for (const std::string& uid : outcome.deleted) state_.removeItem(kind_.kind(), uid);
    for (const SyncState::Hold& hold : outcome.refused) state_.putHold(hold);
  });
  outcome.sent.clear();
  outcome.deleted.clear();
  outcome.refused.clear();
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
