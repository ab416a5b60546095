#include "tracking/TrackingSession.h"

#include <algorithm>

#include "core/TimeZone.h"
#include "store/StoreError.h"
#include "tracking/DroppedEntry.h"
#include "tracking/TrackingError.h"
#include "tracking/UnfinishedWork.h"

namespace tw {
namespace {

constexpr std::int64_t kSaveEverySeconds = 60;

}  // namespace

TrackingSession::TrackingSession(JournalStore& store, const Clock& clock, ProcessIdentity owner,
                                 EntryTypeRule entryTypes)
    : store_(store),
      clock_(clock),
      owner_(owner),
      entryTypes_(std::move(entryTypes)),
      markers_(store),
      lastSaveSteady_(clock.steadyMillis()) {}

const TaskList& TrackingSession::reloadTasks(const std::vector<std::string>& shownLists) {
  tasks_ = TaskList(store_.tasks(), shownLists);
  return tasks_;
}

void TrackingSession::attach() {
  changeCount_ = store_.changeCount();
  follow(store_.timer());
  readPause();
}

void TrackingSession::readPause() {
  pause_ = tracking_ || held_ ? std::nullopt : PausedWork::read(store_);
}

std::optional<RunningTimer> TrackingSession::orphan() {
  return UnfinishedWork::orphanedTimer(store_, owner_);
}

// Takes up the store's timer: a change another process made, or what a new session finds.
// The generation is taken last, so that a read that fails is made again at the next tick.
void TrackingSession::follow(const RunningTimer& t) {
  if (t.generation == generation_) return;
  const ProcessIdentity timedBy{t.ownerPid, t.ownerStart};
  const bool mine = timedBy == owner_;
  const bool adoptable = !owner_.isDetached() && t.detached();
  orphaned_ = owner_.isDetached() && t.running() && !t.detached() && !timedBy.alive();
  // Not timed here when another window times it, or a process that is gone did (orphan()).
  if (!t.running() || (!mine && !adoptable && !owner_.isDetached())) {
    generation_ = t.generation;
    if (tracking_) held_.reset();
    tracking_ = false;
    return;
  }
  std::optional<JournalEntry> timed = store_.entry(t.entryId);
  generation_ = t.generation;
  held_ = std::move(timed);
  tracking_ = held_.has_value();
  if (!tracking_) return;
  baseSeconds_ = t.secondsAt(clock_.now());
  steadyAnchor_ = clock_.steadyMillis();
  savedAt_ = t.savedAt;
  if (adoptable) {
    RunningTimer adopted = t;
    adopted.ownerPid = owner_.pid;
    adopted.ownerStart = owner_.startTime;
    generation_ = store_.setTimer(adopted);
  }
}

bool TrackingSession::ownsTimer(const RunningTimer& t) const {
  return held_ && t.generation == generation_ && t.entryId == held_->id;
}

std::int64_t TrackingSession::timedSeconds() const {
  return baseSeconds_ + std::max<std::int64_t>(0, clock_.steadyMillis() - steadyAnchor_) / 1000;
}

std::int64_t TrackingSession::secondsOf(const RunningTimer& t) const {
  if (ownsTimer(t)) return timedSeconds();
  return t.secondsAt(clock_.now());
}

TrackingSession::Status TrackingSession::status() const {
  Status s;
  if (tracking_ && held_) {
    s.state = State::Tracking;
    JournalEntry now = *held_;
    if (!orphaned_) now.seconds = timedSeconds();
    s.minutes = now.minutes();
    s.ownerGone = orphaned_;
  } else if (held_) {
    s.state = State::Held;
    s.minutes = held_->minutes();
  } else if (pause_) {
    s.state = State::Paused;
    s.subject = pause_->subject;
    s.categories = pause_->categories;
    s.since = pause_->since;
  }
  if (held_) {
    s.subject = held_->subject;
    s.categories = held_->categories;
  }
  s.storeFailure = storeFailure_;
  s.savedAt = savedAt_;
  return s;
}

void TrackingSession::change(const std::function<void()>& action) {
  const bool tracking = tracking_;
  const std::optional<JournalEntry> held = held_;
  const std::int64_t generation = generation_, base = baseSeconds_, anchor = steadyAnchor_;
  const Instant savedAt = savedAt_;
  try {
    store_.transact(action);
  } catch (...) {
    tracking_ = tracking;
    held_ = held;
    generation_ = generation;
    baseSeconds_ = base;
    steadyAnchor_ = anchor;
    savedAt_ = savedAt;
    throw;
  }
}

bool TrackingSession::stopRunning() {
  const RunningTimer t = store_.timer();
  if (!t.running()) return false;
  if (std::optional<JournalEntry> timed = store_.entry(t.entryId)) {
    timed->seconds = secondsOf(t);
    store_.updateEntry(*timed);
  }
  generation_ = store_.setTimer(RunningTimer{});
  tracking_ = false;
  held_.reset();
  return true;
}

void TrackingSession::timeEntry(const JournalEntry& entry, std::int64_t baseSeconds) {
  RunningTimer t;
  t.entryId = entry.id;
  t.started = clock_.now();
  t.baseSeconds = baseSeconds;
  t.ownerPid = owner_.pid;
  t.ownerStart = owner_.startTime;
  t.savedAt = t.started;
  generation_ = store_.setTimer(t);
  tracking_ = true;
  held_ = entry;
  baseSeconds_ = baseSeconds;
  steadyAnchor_ = clock_.steadyMillis();
  savedAt_ = t.savedAt;
}

void TrackingSession::begin(std::string_view taskName, bool opensWork) {
  const Task* task = tasks_.find(taskName);
  if (!task)
    throw TrackingError("The task \"" + std::string(taskName) + "\" is not in the task list");
  change([&] {
    stopRunning();
    const Instant now = clock_.now();
    if (opensWork) markers_.openAt(now);
    JournalEntry entry;
    entry.start = now;
    entry.utcOffset = TimeZone::offsetAt(now);
    entry.subject = task->subject;
    entry.categories = task->categories;
    entry.type = entryTypes_.taskEntryType();
    entry.taskUid = task->uid;
    timeEntry(store_.addEntry(std::move(entry)), 0);
  });
}

void TrackingSession::start(std::string_view taskName) {
  begin(taskName, true);
}

void TrackingSession::switchTo(std::string_view taskName) {
  begin(taskName, false);
}

bool TrackingSession::pause() {
  bool stopped = false;
  change([&] {
    stopped = stopRunning();
    tracking_ = false;
    held_.reset();
  });
  return stopped;
}

bool TrackingSession::stop() {
  bool stopped = false, closed = false;
  change([&] {
    stopped = stopRunning();
    closed = markers_.closeAt(clock_.now());
    tracking_ = false;
    held_.reset();
  });
  return stopped || closed;
}

bool TrackingSession::workOpen() {
  return tracking_ || markers_.open();
}

std::optional<Task> TrackingSession::lastTask() {
  std::optional<Task> found;
  store_.visitNewestFirst([&](const JournalEntry& e) {
    if (const Task* task = tasks_.find(e.subject)) found = *task;
    return !found;
  });
  return found;
}

bool TrackingSession::drop(std::string_view text) {
  const std::optional<JournalEntry> match = DroppedEntry::find(store_, tasks_, text);
  if (!match) return false;
  if (tracking_) {
    change([&] {
      stopRunning();
      const std::optional<JournalEntry> fresh = store_.entry(match->id);
      if (!fresh) throw TrackingError("The journal entry is no longer in the store");
      timeEntry(*fresh, fresh->seconds);
    });
  } else {
    held_ = match;
  }
  return true;
}

void TrackingSession::takeUpChanges() {
  const std::int64_t changes = store_.changeCount();
  if (changes == changeCount_) return;
  follow(store_.timer());
  changeCount_ = changes;
}

TrackingSession::Status TrackingSession::tick() {
  try {
    takeUpChanges();
    // Read at each tick while not timing: markers placed by hand change it too.
    readPause();
    const std::int64_t steady = clock_.steadyMillis();
    const bool due = (steady - lastSaveSteady_) / 1000 > kSaveEverySeconds;
    if (tracking_ && (due || !storeFailure_.empty())) {
      lastSaveSteady_ = steady;
      save(kTickWaitMillis);
    }
    storeFailure_.clear();
  } catch (const StoreError& e) {
    storeFailure_ = e.cause();
  }
  return status();
}

void TrackingSession::saveNow() {
  save(-1);
  storeFailure_.clear();
}

void TrackingSession::save(int waitMillis) {
  if (!tracking_ || !held_) return;
  const std::int64_t seconds = timedSeconds();
  const Instant now = clock_.now();
  if (const auto next = store_.saveTimedEntry(generation_, seconds, now, waitMillis)) {
    generation_ = *next;
    held_->seconds = seconds;
    savedAt_ = now;
  } else {
    // Another process stopped or replaced the timer first; its word counts.
    follow(store_.timer());
  }
}

void TrackingSession::resume(const RunningTimer& orphan) {
  change([&] {
    RunningTimer t = store_.timer();
    if (t.generation != orphan.generation)
      throw TrackingError("Another program changed what is being timed meanwhile");
    t.ownerPid = owner_.pid;
    t.ownerStart = owner_.startTime;
    const std::optional<JournalEntry> entry = store_.entry(t.entryId);
    if (!entry) throw TrackingError("The journal entry is no longer in the store");
    const std::int64_t seconds = t.secondsAt(clock_.now());
    generation_ = store_.setTimer(t);
    tracking_ = true;
    held_ = *entry;
    baseSeconds_ = seconds;
    steadyAnchor_ = clock_.steadyMillis();
    savedAt_ = t.savedAt;
  });
}

void TrackingSession::stopAt(const RunningTimer& timer, Instant end) {
  endAt(timer, end, true);
}

void TrackingSession::cutAt(Instant end, bool stopWork) {
  const RunningTimer t = store_.timer();
  if (!tracking_ || !ownsTimer(t))
    throw TrackingError("Another program changed what is being timed meanwhile");
  endAt(t, end, stopWork);
}

void TrackingSession::endAt(const RunningTimer& timer, Instant end, bool stopWork) {
  change([&] {
    const RunningTimer t = store_.timer();
    if (t.generation != timer.generation)
      throw TrackingError("Another program changed what is being timed meanwhile");
    if (std::optional<JournalEntry> entry = store_.entry(t.entryId)) {
      entry->seconds = std::clamp<std::int64_t>(end.secondsSince(entry->start), 0, secondsOf(t));
      store_.updateEntry(*entry);
      end = entry->start.plus(entry->seconds);
    }
    generation_ = store_.setTimer(RunningTimer{});
    if (stopWork) markers_.closeAt(end);
    tracking_ = false;
    held_.reset();
  });
}

void TrackingSession::closeDay(Instant end) {
  markers_.closeAt(end);
}

bool TrackingSession::overdue(std::int64_t limitSeconds) const {
  if (!tracking_ || !held_ || held_->id == keptOverdue_) return false;
  const Instant now = clock_.now();
  const bool nextDay = held_->localStart().date() < TimeZone::toLocal(now).date();
  return nextDay || timedSeconds() > limitSeconds;
}

void TrackingSession::keepOverdue() {
  if (held_) keptOverdue_ = held_->id;
}

}  // namespace tw
