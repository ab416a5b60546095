#include "import/Importer.h"

#include <algorithm>
#include <unordered_set>

#include "core/DateText.h"
#include "core/DateTimeError.h"
#include "core/EntryRules.h"
#include "core/Markers.h"
#include "import/ImportError.h"
#include "tracking/WorkMarkers.h"

namespace tw {
namespace {

// FNV-1a over the fields as imported: kept in the store, so it must not change between builds.
class Digest {
 public:
  Digest& add(std::string_view text) {
    for (const char c : text) mix(static_cast<unsigned char>(c));
    mix(0x1f);
    return *this;
  }
  Digest& add(std::int64_t number) { return add(std::to_string(number)); }
  std::uint64_t value() const { return hash_; }

 private:
  void mix(unsigned char c) {
    hash_ ^= c;
    hash_ *= 0x100000001b3ULL;
  }
  std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

std::uint64_t digestOf(const JournalEntry& e, bool running) {
  return Digest()
      .add(e.subject)
      .add(e.start.unixSeconds())
      .add(std::int64_t{e.utcOffset})
      .add(running ? -1 : e.seconds)
      .add(e.categories)
      .add(e.body)
      .add(e.type)
      .value();
}

std::string joined(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& part : parts) out += (out.empty() ? "" : ", ") + part;
  return out;
}

// Identities repeated in one reading (two items at one start) are told apart by their order.
void makeUnique(std::vector<ForeignEntry>& entries) {
  std::unordered_map<std::string, int> seen;
  for (ForeignEntry& e : entries) {
    const int n = ++seen[e.identity];
    if (n > 1) e.identity += "#" + std::to_string(n);
  }
}

}  // namespace

Importer::Importer(JournalStore* store, ImportLedger* ledger, Options options)
    : store_(store), ledger_(ledger), options_(std::move(options)) {}

ImportSummary Importer::run(ForeignJournal journal) {
  journal_ = std::move(journal);
  makeUnique(journal_.entries);
  summary_ = ImportSummary();
  summary_.source = journal_.source;
  summary_.dryRun = options_.dryRun;
  summary_.skipped = journal_.skipped;
  summary_.notes = journal_.notes;
  if (options_.dryRun || !store_)
    plan();
  else
    store_->transact([&] { plan(); });
  return summary_;
}

void Importer::plan() {
  records_.clear();
  taskUids_.clear();
  latestStart_.clear();
  if (ledger_)
    for (ImportLedger::Record& r : ledger_->records(journal_.source))
      records_.emplace(r.identity, std::move(r));
  std::optional<JournalEntry> opener;
  if (store_) {
    for (const Task& t : store_->tasks()) taskUids_.emplace(t.subject, t.uid);
    timerRuns_ = store_->timer().running();
    opener = WorkMarkers(*store_).openedBy();
  }
  for (const ForeignEntry& item : journal_.entries) {
    if (item.kind != ForeignEntry::Kind::Work) continue;
    Instant& latest = latestStart_[item.subject];
    latest = std::max(latest, item.start);
  }
  for (ForeignEntry& item : journal_.entries) take(item);
  if (!options_.dryRun) keepOpenPeriod(opener);
}

JournalEntry Importer::entryOf(const ForeignEntry& item) const {
  JournalEntry e;
  if (item.kind == ForeignEntry::Kind::Work) {
    e = JournalEntry();
    e.subject = item.subject;
    e.categories = joined(item.categories);
    e.type = options_.entryType;
    e.body = item.body;
  } else {
    e = WorkMarkers::marker(item.kind == ForeignEntry::Kind::StartWork, item.start);
  }
  e.start = item.start;
  e.utcOffset = item.utcOffset;
  e.seconds = item.running ? std::max<std::int64_t>(0, options_.now.secondsSince(item.start))
                           : item.seconds;
  return e;
}

void Importer::take(ForeignEntry& item) {
  JournalEntry e = entryOf(item);
  if (item.running && e.seconds > EntryRules::kMostSeconds) {
    notImported(e, "it has run longer than an entry may last. Stop it there and import again.");
    return;
  }
  if (const std::string problem = EntryRules::whyInvalid(e); !problem.empty())
    throw ImportError(item.where + ": " + problem);
  if (item.kind == ForeignEntry::Kind::Work && !taskUids_.contains(e.subject)) {
    if (const std::string why = EntryRules::whyInvalidTask(e.subject, e.categories); !why.empty())
      throw ImportError(item.where + ": " + why);
  }
  if (item.kind == ForeignEntry::Kind::Work)
    summary_.count(e.subject, item.categories, e.localStart(), e.seconds);
  const std::uint64_t digest = digestOf(e, item.running);
  const auto found = records_.find(item.identity);
  if (found == records_.end()) {
    add(std::move(e), item, digest);
  } else if (found->second.digest == digest) {
    ++summary_.unchanged;
  } else {
    update(std::move(e), found->second, digest);
  }
}

void Importer::notImported(const JournalEntry& e, const std::string& why) {
  summary_.notes.push_back("The interval timed in " + journal_.source + " since " +
                           DateText::generalDate(e.localStart()) + " (" + e.subject +
                           ") is not imported: " + why);
}

void Importer::add(JournalEntry e, const ForeignEntry& item, std::uint64_t digest) {
  if (item.running && timerRuns_) {
    notImported(e, "an entry is being timed here. Import again once one of them has ended.");
    return;
  }
  ++summary_.added;
  if (item.kind != ForeignEntry::Kind::Work) ++summary_.markers;
  if (item.kind == ForeignEntry::Kind::Work) e.taskUid = taskUid(e);
  if (item.running) {
    summary_.notes.push_back(std::string(options_.dryRun ? "Would time " : "Timing ") + e.subject +
                             " since " + DateText::generalDate(e.localStart()) + ", as " +
                             journal_.source + " does.");
    timerRuns_ = true;
  }
  if (options_.dryRun) return;
  const JournalEntry stored = store_->addEntry(std::move(e));
  if (item.running) {
    RunningTimer timer;
    timer.entryId = stored.id;
    timer.started = options_.now;
    timer.baseSeconds = stored.seconds;
    timer.savedAt = options_.now;
    store_->setTimer(timer);
  }
  remember(item.identity, stored, digest);
}

void Importer::update(JournalEntry e, const ImportLedger::Record& record, std::uint64_t digest) {
  const std::optional<JournalEntry> here =
      store_ ? store_->entryByUid(record.entryUid) : std::nullopt;
  if (!here) {
    ++summary_.keptDeleted;
    return;
  }
  if (digestOf(*here, false) != record.digest || store_->timer().entryId == here->id) {
    ++summary_.keptChanged;
    return;
  }
  ++summary_.updated;
  e.id = here->id;
  e.uid = here->uid;
  e.taskUid = Markers::isMarker(e) ? std::string() : taskUid(e);
  if (options_.dryRun) return;
  store_->updateEntry(e);
  remember(record.identity, e, digest);
}

std::string Importer::taskUid(const JournalEntry& e) {
  const auto found = taskUids_.find(e.subject);
  if (found != taskUids_.end()) return found->second;
  ++summary_.tasksMade;
  Task task;
  task.subject = e.subject;
  task.categories = e.categories;
  const auto status = journal_.taskStatus.find(e.subject);
  if (status != journal_.taskStatus.end())
    task.status = status->second;
  else if (options_.now.secondsSince(latestStart_[e.subject]) > kRecentDays * 86400)
    task.status = TaskStatus::Complete;
  if (!options_.dryRun) task = store_->addTask(std::move(task));
  taskUids_.emplace(e.subject, task.uid);
  return task.uid;
}

void Importer::remember(const std::string& identity, const JournalEntry& stored,
                        std::uint64_t digest) {
  ledger_->put(journal_.source, {identity, stored.uid, digest});
}

// The marker written last decides whether a period of work is open: the one that opened the
// period open before the import is written again, unchanged, after the imported ones.
void Importer::keepOpenPeriod(const std::optional<JournalEntry>& opener) {
  if (!opener) return;
  const std::optional<JournalEntry> last = store_->lastMarker();
  if (!last || last->id == opener->id) return;
  JournalEntry again = *opener;
  store_->deleteEntry(again.id);
  again.id = 0;
  store_->addEntry(std::move(again));
}

}  // namespace tw
