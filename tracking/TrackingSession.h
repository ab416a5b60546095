#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Clock.h"
#include "core/JournalEntry.h"
#include "store/JournalStore.h"
#include "tracking/EntryTypeRule.h"
#include "tracking/PausedWork.h"
#include "tracking/ProcessIdentity.h"
#include "tracking/TaskList.h"
#include "tracking/WorkMarkers.h"

namespace tw {

// The rules of timing work, for every front end: starting, switching, pausing and stopping,
// the work markers, resuming the last task, putting a dropped entry back, and the periodic
// save. What is being timed is kept in the store (RunningTimer), so that every process on the
// store sees it; each user action is one transaction. An action that fails stores nothing and
// leaves the session timing what it timed before, as the store still does.
//
// A session belongs to one process: a window's session owns the timer it starts and saves it
// about once a minute; a session of the command line (owner ProcessIdentity::detached()) leaves
// a detached timer that runs until someone stops it.
class TrackingSession {
 public:
  enum class State {
    Stopped,
    Tracking,
    // An entry is held without being timed (a journal entry dropped while stopped).
    Held,
    // A period of work is open and nothing is timed (PausedWork).
    Paused,
  };
  struct Status {
    State state = State::Stopped;
    std::int32_t minutes = 0;
    std::string subject;
    std::string categories;
    // While the store cannot be used (the last tick could not read it, or the entry's save
    // failed): why, in the store's words ("the disk is full"); empty while all is well.
    std::string storeFailure;
    // When the entry being timed was last saved.
    Instant savedAt;
    // While paused: when the pause began (subject and categories name the task paused).
    Instant since;
    // Seen from the command line while tracking: the window timing the entry ended without
    // stopping (killed, a power cut); the minutes are those of its last save (savedAt) until a
    // window resumes the timing or someone stops it.
    bool ownerGone = false;
  };

  // A periodic save waits at most this long for another program's write, so that the window
  // stays responsive; a failed save is tried again at the next tick.
  static constexpr int kTickWaitMillis = 200;

  TrackingSession(JournalStore& store, const Clock& clock, ProcessIdentity owner,
                  EntryTypeRule entryTypes);

  // Reads the open tasks again, of the task lists shown (every list when none is named).
  const TaskList& reloadTasks(const std::vector<std::string>& shownLists = {});
  const TaskList& tasks() const { return tasks_; }
  // Takes up what the store says is being timed. A window's session adopts a detached timer
  // (it saves it from then on); a timer whose process is gone is left for the caller to decide
  // (orphan()).
  void attach();
  // The timer of a process that is gone (killed, or closed while timing), if the store has one.
  std::optional<RunningTimer> orphan();

  bool tracking() const { return tracking_; }
  // The entry held: the one being timed while tracking.
  const std::optional<JournalEntry>& held() const { return held_; }
  Status status() const;

  // Starts timing a new entry of the listed task; a "Start Work" marker comes first when no
  // period of work is open. The entry timed so far is saved first.
  void start(std::string_view taskName);
  // Another task chosen while tracking: as start, without a marker.
  void switchTo(std::string_view taskName);
  // Stops timing and saves the entry; the period of work stays open. False when nothing was
  // timed.
  bool pause();
  // As pause, then closes the period of work with a "Stop Work" marker. False when nothing
  // was timed and no period was open: nothing is written then.
  bool stop();
  // True while a period of work is open: tracking, or paused after a "Start Work" marker.
  bool workOpen();
  // The listed task of the most recent journal entry that names one.
  std::optional<Task> lastTask();
  // Puts the journal entry that dropped text describes (its subject and start, as a journal
  // entry's text shows them) back: timed from now while tracking, held while stopped. The
  // first entry stored that matches and names a listed task is taken; false when none does.
  bool drop(std::string_view text);

  // One tick of the window's timer: takes up changes other processes made, and saves the
  // entry when more than sixty seconds passed since the last save, or at every tick while
  // saves fail. A store that fails never ends the timing: the status says why, and the next
  // save that succeeds stores every second timed.
  Status tick();
  // Saves the entry being timed now, the timer going on (closing, logout, termination);
  // throws StoreError when the store cannot take it.
  void saveNow();

  // Takes over an orphaned timer (UnfinishedWork): timing goes on in the same entry, the time
  // since the process was lost included.
  void resume(const RunningTimer& orphan);
  // Ends the entry a timer times (this session's, or an orphaned one) at the given instant,
  // and closes the period of work there: the forgotten timer cut where the user says.
  void stopAt(const RunningTimer& timer, Instant end);
  // Ends the entry this session times at the given instant: the time away from the desk
  // dropped. With stopWork the period of work is closed there.
  void cutAt(Instant end, bool stopWork);
  // Closes a period of work left open (UnfinishedWork::openDay), unless another process did.
  void closeDay(Instant end);
  // True while the entry being timed passed the given length, or began on an earlier day, and
  // the user has not yet chosen to keep it (keepOverdue).
  bool overdue(std::int64_t limitSeconds) const;
  void keepOverdue();

 private:
  void begin(std::string_view taskName, bool opensWork);
  // Runs an action as one transaction; when it fails the session goes back to what it timed.
  void change(const std::function<void()>& action);
  // Saves and clears the store's running timer; false when none ran.
  bool stopRunning();
  void save(int waitMillis);
  std::int64_t timedSeconds() const;
  std::int64_t secondsOf(const RunningTimer& timer) const;
  bool ownsTimer(const RunningTimer& timer) const;
  void timeEntry(const JournalEntry& entry, std::int64_t baseSeconds);
  void takeUpChanges();
  void readPause();
  void follow(const RunningTimer& timer);
  void endAt(const RunningTimer& timer, Instant end, bool stopWork);

  JournalStore& store_;
  const Clock& clock_;
  ProcessIdentity owner_;
  EntryTypeRule entryTypes_;
  WorkMarkers markers_;
  TaskList tasks_;

  bool tracking_ = false;
  std::optional<JournalEntry> held_;
  // The store's timer generation last written or seen by this session.
  std::int64_t generation_ = -1;
  std::int64_t changeCount_ = -1;
  // The held entry's seconds when its timing began in this process, and the steady clock then.
  std::int64_t baseSeconds_ = 0;
  std::int64_t steadyAnchor_ = 0;
  std::int64_t lastSaveSteady_ = 0;
  Instant savedAt_;
  std::string storeFailure_;
  // The store's pause, read at attach and at each tick.
  std::optional<PausedWork> pause_;
  // A command line's session follows a timer whose window is gone.
  bool orphaned_ = false;
  // The entry the user chose to keep timing although it was overdue.
  std::int64_t keptOverdue_ = 0;
};

}  // namespace tw
