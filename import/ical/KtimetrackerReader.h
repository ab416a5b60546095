#pragma once

#include "import/ForeignJournal.h"
#include "import/InputText.h"

namespace tw {

// KTimeTracker's iCalendar file: its tasks are VTODOs (a subtask names its parent with
// RELATED-TO), the time booked on them VEVENTs that name their task with RELATED-TO, with the
// length in seconds in X-KDE-ktimetracker-duration. Each event becomes an entry whose subject
// is its task's name, whose categories are the names of the task's parents (outermost first),
// and whose notes are its description and comments (the events' CATEGORIES, KTimeTracker's
// own "KTimeTracker", are not read). Entries are taken in the order of their starts. An event
// without an end or a length is the one being timed. A task marked complete is made closed. An
// entry's identity is its event's UID. Events that cannot be read (no UID, no start, a whole day)
// are skipped with the reason.
class KtimetrackerReader {
 public:
  static constexpr const char* kSource = "ktimetracker";
  // Throws ImportError when the file is no iCalendar file.
  static ForeignJournal read(InputText& input);
};

}  // namespace tw
