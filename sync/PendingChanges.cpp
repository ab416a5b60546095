#include "sync/PendingChanges.h"

#include <map>
#include <unordered_map>

namespace tw {

PendingChanges::Queue PendingChanges::of(JournalStore& store, SyncState& state,
                                         const ItemKind& kind) {
  std::unordered_map<std::string, SyncState::Item> rows;
  for (SyncState::Item& row : state.items(kind.kind())) rows.emplace(row.uid, std::move(row));
  std::map<std::string, SyncState::Hold> holds;
  for (SyncState::Hold& h : state.holds(kind.kind())) holds.emplace(h.uid, std::move(h));
  Queue queue;
  // The hold of uid when it keeps back the version with that digest; else it is stale.
  const auto holdFor = [&](const std::string& uid,
                           std::optional<std::uint64_t> digest) -> std::optional<SyncState::Hold> {
    const auto it = holds.find(uid);
    if (it == holds.end()) return std::nullopt;
    std::optional<SyncState::Hold> h;
    if (digest && it->second.digest == *digest && !it->second.hereOnly)
      h = std::move(it->second);
    else
      queue.staleHolds.push_back(uid);
    holds.erase(it);
    return h;
  };
  kind.visitLocals(store, [&](ItemKind::Item& local) {
    const auto held = holds.find(local.uid);
    const auto it = rows.find(local.uid);
    SyncState::Item row{kind.kind(), local.uid, {}, {}, {}, 0};
    if (it != rows.end()) {
      row = std::move(it->second);
      rows.erase(it);
    }
    if (held != holds.end() && held->second.hereOnly) {
      queue.hereOnly.push_back(std::move(held->second));
      holds.erase(held);
      return;
    }
    const std::uint64_t digest = ItemKind::digest(local.fields);
    if (!row.href.empty() && row.digest == digest) {
      holdFor(local.uid, std::nullopt);
      return;
    }
    const Verb verb = row.href.empty() ? Verb::Create : Verb::Change;
    std::optional<SyncState::Hold> hold = holdFor(local.uid, digest);
    queue.changes.push_back(
        {verb, std::move(row), std::move(local.fields), digest, std::move(hold)});
  });
  for (auto& [uid, row] : rows) {
    if (kind.isElsewhere(store, row)) {
      holds.erase(uid);
      continue;
    }
    if (row.href.empty()) {
      queue.neverSent.push_back(uid);
      holdFor(uid, std::nullopt);
      continue;
    }
    std::optional<SyncState::Hold> hold = holdFor(uid, std::uint64_t{0});
    queue.changes.push_back({Verb::Delete, std::move(row), {}, 0, std::move(hold)});
  }
  for (const auto& [uid, hold] : holds)
    if (!kind.isElsewhere(store, {kind.kind(), uid, {}, {}, {}, 0}))
      queue.staleHolds.push_back(uid);
  return queue;
}

}  // namespace tw
