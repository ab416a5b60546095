#include "sync/Reconciler.h"

#include "store/InvoicedError.h"
#include "sync/ServerText.h"
#include "sync/SyncError.h"

namespace tw {
namespace {

struct Merged {
  ItemKind::Fields fields;
  // The names of the fields both sides changed to different values.
  std::string conflicts;
};

// Field by field: a side that kept the base value takes the other's; where both changed a
// field to different values, the server's wins. Without a base every difference is a conflict.
Merged merge(const std::optional<ItemKind::Fields>& base, const ItemKind::Fields& local,
             const ItemKind::Fields& server, const std::vector<const char*>& names) {
  Merged m{server, {}};
  for (std::size_t i = 0; i < server.size(); ++i) {
    if (local[i] == server[i]) continue;
    if (base && (*base)[i] == server[i]) {
      m.fields[i] = local[i];
    } else if (!base || (*base)[i] != local[i]) {
      m.conflicts += (m.conflicts.empty() ? "" : ", ") + std::string(names[i]);
    }
  }
  return m;
}

}  // namespace

Reconciler::Reconciler(JournalStore& store, SyncState& state, const ItemKind& kind,
                       SyncResult& result, Instant now)
    : store_(store), state_(state), kind_(kind), result_(result), now_(now) {}

std::optional<ItemKind::Fields> Reconciler::baseOf(const SyncState::Item& row) const {
  if (row.ical.empty()) return std::nullopt;
  try {
    return kind_.parse(row.ical).fields;
  } catch (const SyncError&) {
    // A copy this program cannot read is no base: every difference counts as a conflict.
    return std::nullopt;
  }
}

bool Reconciler::storeLocal(const DavClient::Resource& resource, const std::string& uid,
                            const ItemKind::Fields& fields,
                            const std::optional<ItemKind::Fields>& local) {
  try {
    kind_.store(store_, uid, fields);
  } catch (const InvoicedError& e) {
    std::string names;
    for (std::size_t i = 0; i < fields.size(); ++i)
      if (!local || (*local)[i] != fields[i])
        names += (names.empty() ? "" : ", ") + std::string(kind_.fieldNames()[i]);
    keepConflictCopy(uid, fields, resource.ical, names);
    result_.problems.push_back(
        {ServerText::oneLine(resource.href), 0,
         ServerText::oneLine(std::string(e.what()) + " The server's version is kept as a "
                                                     "conflict copy.")});
    return false;
  }
  ++result_.received;
  return true;
}

void Reconciler::keepConflictCopy(const std::string& uid, const ItemKind::Fields& local,
                                  const std::string& base, const std::string& fields) {
  SyncState::ConflictCopy copy;
  copy.kind = kind_.kind();
  copy.uid = uid;
  copy.fields = fields;
  copy.localIcal = kind_.serialise(uid, local, base, now_);
  copy.saved = now_.unixSeconds();
  state_.addConflict(copy);
  ++result_.conflicts;
}

void Reconciler::adopt(const DavClient::Resource& resource) {
  ItemKind::Item server;
  try {
    server = kind_.parse(resource.ical);
  } catch (const SyncError& e) {
    ++result_.unparsable;
    result_.problems.push_back(
        {ServerText::oneLine(resource.href), 0,
         ServerText::oneLine(std::string("it cannot be read: ") + e.what())});
    return;
  }
  std::optional<SyncState::Item> row = state_.item(kind_.kind(), server.uid);
  if (kind_.isElsewhere(store_,
                        row.value_or(SyncState::Item{kind_.kind(), server.uid, {}, {}, {}, 0})))
    return elsewhere(resource);
  const std::optional<ItemKind::Fields> local = kind_.local(store_, server.uid);
  SyncState::Item next{kind_.kind(),  server.uid,    resource.href,
                       resource.etag, resource.ical, ItemKind::digest(server.fields)};
  const std::optional<ItemKind::Fields> base = row ? baseOf(*row) : std::nullopt;
  if (!local) {
    // New on the server, or deleted here: then a change on the server brings it back, and an
    // unchanged copy keeps it deleted.
    if (row && base == server.fields)
      next.digest = row->digest;
    else if (!storeLocal(resource, server.uid, server.fields, local))
      return;
  } else if (row && ItemKind::digest(*local) == row->digest) {
    if (*local != server.fields && !storeLocal(resource, server.uid, server.fields, local))
      next.digest = 0;
  } else if (*local != server.fields) {
    const Merged merged = merge(base, *local, server.fields, kind_.fieldNames());
    if (merged.fields != *local && !storeLocal(resource, server.uid, merged.fields, local))
      next.digest = 0;
    else if (!merged.conflicts.empty())
      keepConflictCopy(server.uid, *local, row ? row->ical : resource.ical, merged.conflicts);
  }
  state_.putItem(next);
}

// The same UID on two lists: the item stays on the one it is on, and this copy is skipped,
// so that it never flips between them nor comes twice.
void Reconciler::elsewhere(const DavClient::Resource& resource) {
  result_.problems.push_back({ServerText::oneLine(resource.href), 0,
                              std::string("a ") + kind_.noun() +
                                  " of the same UID is on another list here; it stays there"});
}

bool Reconciler::removeLocal(const SyncState::Item& row) {
  try {
    return kind_.remove(store_, row.uid);
  } catch (const InvoicedError& e) {
    result_.problems.push_back(
        {ServerText::oneLine(row.href), 0,
         ServerText::oneLine(std::string(e.what()) + " It goes to the server again.")});
    return false;
  }
}

void Reconciler::gone(const SyncState::Item& row) {
  const std::optional<ItemKind::Fields> local = kind_.local(store_, row.uid);
  if (!local) {
    state_.removeItem(kind_.kind(), row.uid);
    return;
  }
  if (ItemKind::digest(*local) == row.digest && removeLocal(row)) {
    state_.removeItem(kind_.kind(), row.uid);
    ++result_.deleted;
    return;
  }
  // Changed here since (or still needed here): it goes to the server again as a new item.
  SyncState::Item again = row;
  again.href.clear();
  again.etag.clear();
  again.digest = 0;
  state_.putItem(again);
}

}  // namespace tw
