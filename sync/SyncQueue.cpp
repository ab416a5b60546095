#include "sync/SyncQueue.h"

#include <algorithm>

#include "sync/EntryKind.h"
#include "sync/SyncError.h"
#include "sync/TaskKind.h"

namespace tw {
namespace {

const ItemKind& kindOf(SyncState::Kind kind) {
  static const TaskKind tasks;
  static const EntryKind entries;
  if (kind == SyncState::Kind::Task) return tasks;
  return entries;
}

SyncQueue::Waiting waitingOf(const ItemKind& kind, const PendingChanges::Change& c,
                             const std::string& ical) {
  SyncQueue::Waiting w;
  w.kind = kind.kind();
  w.uid = c.row.uid;
  w.verb = c.verb;
  w.what = c.verb == PendingChanges::Verb::Delete ? kind.describe(c.row.uid, ical)
                                                  : kind.describe(c.fields);
  if (c.hold) {
    w.held = true;
    w.status = c.hold->status;
    w.reason = c.hold->reason;
    w.since = Instant::fromUnix(c.hold->since);
  }
  return w;
}

}  // namespace

SyncQueue::SyncQueue(JournalStore& store, std::unique_ptr<SyncState> state, const Clock& clock)
    : store_(store), state_(std::move(state)), clock_(clock) {}

std::size_t SyncQueue::held() {
  std::size_t n = 0;
  for (SyncState::Kind k : {SyncState::Kind::Task, SyncState::Kind::Entry})
    for (const PendingChanges::Change& c : PendingChanges::of(store_, *state_, kindOf(k)).changes)
      n += c.hold ? 1 : 0;
  return n;
}

std::vector<SyncQueue::Waiting> SyncQueue::list() {
  std::vector<Waiting> out;
  std::vector<Waiting> kept;
  for (SyncState::Kind k : {SyncState::Kind::Task, SyncState::Kind::Entry}) {
    const ItemKind& kind = kindOf(k);
    const PendingChanges::Queue queue = PendingChanges::of(store_, *state_, kind);
    for (const PendingChanges::Change& c : queue.changes) {
      const std::optional<SyncState::Item> row =
          c.verb == PendingChanges::Verb::Delete ? state_->item(k, c.row.uid) : std::nullopt;
      out.push_back(waitingOf(kind, c, row ? row->ical : std::string()));
    }
    for (const SyncState::Hold& h : queue.hereOnly) {
      const std::optional<ItemKind::Fields> local = kind.local(store_, h.uid);
      kept.push_back({k, h.uid, PendingChanges::Verb::Create,
                      local ? kind.describe(*local) : std::string(kind.noun()) + " " + h.uid, false,
                      true, 0, h.reason, Instant::fromUnix(h.since)});
    }
  }
  std::stable_partition(out.begin(), out.end(), [](const Waiting& w) { return w.held; });
  out.insert(out.end(), kept.begin(), kept.end());
  return out;
}

SyncQueue::Waiting SyncQueue::find(std::string_view uid) {
  std::vector<Waiting> found;
  for (Waiting& w : list())
    if (w.uid == uid) found.push_back(std::move(w));
  if (found.empty())
    throw SyncError("No change of that UID waits to be sent (tallyworks sync queue lists them).");
  if (found.size() > 1)
    throw SyncError("A task and a journal entry share that UID; change one of them first.");
  return found.front();
}

void SyncQueue::retry(std::string_view uid) {
  store_.transact([&] {
    const Waiting w = find(uid);
    state_->removeHold(w.kind, w.uid);
  });
}

void SyncQueue::drop(std::string_view uid) {
  store_.transact([&] {
    const Waiting w = find(uid);
    if (w.hereOnly) throw SyncError("That item already stays here only.");
    if (w.verb == PendingChanges::Verb::Create) {
      state_->putHold(
          {w.kind, w.uid, true, 0, 0, "you dropped its creation", clock_.now().unixSeconds()});
      return;
    }
    giveUpChange(w);
  });
}

// The server's version becomes the item's again: a deleted item comes back; a changed one keeps
// its local version as a conflict copy of the fields it changed.
void SyncQueue::giveUpChange(const Waiting& w) {
  const ItemKind& kind = kindOf(w.kind);
  const std::optional<SyncState::Item> row = state_->item(w.kind, w.uid);
  ItemKind::Fields theirs;
  try {
    theirs = kind.parse(row ? row->ical : std::string()).fields;
  } catch (const SyncError& e) {
    throw SyncError(std::string("The server's version cannot be read, so the change cannot be "
                                "dropped: ") +
                    e.what());
  }
  if (const std::optional<ItemKind::Fields> mine = kind.local(store_, w.uid)) {
    std::string fields;
    for (std::size_t i = 0; i < mine->size(); ++i)
      if ((*mine)[i] != theirs[i])
        fields += (fields.empty() ? "" : ", ") + std::string(kind.fieldNames()[i]);
    SyncState::ConflictCopy copy{0,
                                 w.kind,
                                 w.uid,
                                 fields,
                                 kind.serialise(w.uid, *mine, row->ical, clock_.now()),
                                 clock_.now().unixSeconds()};
    state_->addConflict(copy);
  }
  kind.store(store_, w.uid, theirs);
  state_->removeHold(w.kind, w.uid);
  SyncState::Item synced = *row;
  synced.digest = ItemKind::digest(theirs);
  state_->putItem(synced);
}

}  // namespace tw
