#pragma once

#include "import/ForeignJournal.h"
#include "import/InputText.h"

namespace tw {

// gtimelog's timelog.txt, read by gtimelog's own rules: each line "YYYY-MM-DD hh:mm: text" ends
// an entry that began at the line before it; the lines are taken in time order; a day runs
// from virtual midnight (02:00) to the next, and its first line (by custom "arrived") only
// marks its start. An entry's text may end in " -- " and tags. Each entry of work becomes a
// journal entry whose subject is its text and whose categories are gtimelog's category (the
// text before the first ": ") and then the tags in alphabetical order; each day gets a
// "Start Work" marker at its first line and a "Stop Work" one at its last. Entries marked "**"
// (not work) and "***" (hidden) are skipped, as are lines gtimelog cannot read, each with the
// reason. Lengths are real time: on the night the clocks change they differ from gtimelog's
// difference of clock readings. An entry's identity is its line's time.
class GtimelogReader {
 public:
  static constexpr const char* kSource = "gtimelog";
  // Throws ImportError when no line at all is gtimelog's.
  static ForeignJournal read(InputText& input);
};

}  // namespace tw
