#include "sync/ConflictCopies.h"

#include <cstdlib>

#include "core/DateText.h"
#include "sync/EntryKind.h"
#include "sync/SyncError.h"
#include "sync/TaskKind.h"

namespace tw {
namespace {

// The subject is the first field of either kind.
constexpr std::size_t kSubject = 0;
static_assert(TaskKind::kSubject == kSubject && EntryKind::kSubject == kSubject);

const ItemKind& kindOf(SyncState::Kind kind) {
  static const TaskKind tasks;
  static const EntryKind entries;
  if (kind == SyncState::Kind::Task) return tasks;
  return entries;
}

// The positions of the fields a copy names ("subject, length").
std::vector<std::size_t> positions(const ItemKind& kind, const std::string& names) {
  std::vector<std::size_t> out;
  const std::vector<const char*>& all = kind.fieldNames();
  for (std::size_t from = 0; from <= names.size();) {
    std::size_t to = names.find(", ", from);
    if (to == std::string::npos) to = names.size();
    const std::string name = names.substr(from, to - from);
    for (std::size_t i = 0; i < all.size(); ++i)
      if (name == all[i]) out.push_back(i);
    from = to + 2;
  }
  return out;
}

std::int64_t integer(const std::string& field) {
  return std::strtoll(field.c_str(), nullptr, 10);
}

std::string twoDigits(std::int64_t n) {
  return (n < 10 ? "0" : "") + std::to_string(n);
}

// "UTC+01:00" for 3600.
std::string offsetText(std::int64_t seconds) {
  const std::int64_t minutes = std::llabs(seconds) / 60;
  return std::string("UTC") + (seconds < 0 ? '-' : '+') + twoDigits(minutes / 60) + ":" +
         twoDigits(minutes % 60);
}

// "1:06:40" for 4000 seconds.
std::string lengthText(std::int64_t seconds) {
  return std::to_string(seconds / 3600) + ":" + twoDigits(seconds / 60 % 60) + ":" +
         twoDigits(seconds % 60);
}

std::string entryValue(std::size_t field, const ItemKind::Fields& f, JournalStore& store) {
  const JournalEntry e = EntryKind::entryOf(f);
  switch (field) {
    case EntryKind::kStart:
      return DateText::generalDate(e.localStart());
    case EntryKind::kUtcOffset:
      return offsetText(e.utcOffset);
    case EntryKind::kSeconds:
      return lengthText(e.seconds);
    case EntryKind::kTaskUid: {
      if (e.taskUid.empty()) return "(no task)";
      const std::optional<Task> task = store.taskByUid(e.taskUid);
      return task ? task->subject : e.taskUid;
    }
    default:
      return f[field];
  }
}

std::string value(SyncState::Kind kind, std::size_t field, const ItemKind::Fields& f,
                  JournalStore& store) {
  static const char* const kStatuses[] = {"Not Started", "In Progress", "Complete", "Waiting",
                                          "Deferred"};
  if (kind == SyncState::Kind::Entry) return entryValue(field, f, store);
  if (field != TaskKind::kStatus) return f[field];
  const std::int64_t n = integer(f[field]);
  return n >= 0 && n < 5 ? kStatuses[n] : f[field];
}

}  // namespace

ConflictCopies::ConflictCopies(JournalStore& store, std::unique_ptr<SyncState> state)
    : store_(store), state_(std::move(state)) {}

std::vector<ConflictCopies::Copy> ConflictCopies::list() {
  std::vector<Copy> out;
  for (const SyncState::ConflictCopy& kept : state_->conflicts()) out.push_back(describe(kept));
  return out;
}

std::size_t ConflictCopies::count() {
  return state_->conflicts().size();
}

ConflictCopies::Copy ConflictCopies::describe(const SyncState::ConflictCopy& kept) {
  const ItemKind& kind = kindOf(kept.kind);
  Copy copy;
  copy.id = kept.id;
  copy.saved = Instant::fromUnix(kept.saved);
  copy.noun = kind.noun();
  ItemKind::Fields mine;
  try {
    mine = kind.parse(kept.localIcal).fields;
  } catch (const SyncError& e) {
    copy.subject = std::string("(cannot be read: ") + e.what() + ")";
    return copy;
  }
  const std::optional<ItemKind::Fields> now = kind.local(store_, kept.uid);
  copy.gone = !now;
  copy.subject = now ? (*now)[kSubject] : mine[kSubject];
  for (std::size_t i : positions(kind, kept.fields)) {
    copy.differences.push_back({kind.fieldNames()[i], value(kept.kind, i, mine, store_),
                                now ? value(kept.kind, i, *now, store_) : "(deleted)"});
  }
  return copy;
}

SyncState::ConflictCopy ConflictCopies::find(std::int64_t id) {
  for (SyncState::ConflictCopy& kept : state_->conflicts())
    if (kept.id == id) return kept;
  throw SyncError("That conflict copy is no longer kept.");
}

void ConflictCopies::restore(std::int64_t id) {
  store_.transact([&] {
    const SyncState::ConflictCopy kept = find(id);
    const ItemKind& kind = kindOf(kept.kind);
    ItemKind::Fields fields = kind.parse(kept.localIcal).fields;
    if (std::optional<ItemKind::Fields> now = kind.local(store_, kept.uid)) {
      for (std::size_t i : positions(kind, kept.fields)) (*now)[i] = fields[i];
      fields = std::move(*now);
    }
    kind.store(store_, kept.uid, fields);
    state_->removeConflict(id);
  });
}

void ConflictCopies::dismiss(std::int64_t id) {
  store_.transact([&] { state_->removeConflict(find(id).id); });
}

}  // namespace tw
