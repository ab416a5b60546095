#pragma once

#include "import/ForeignJournal.h"
#include "import/InputText.h"

namespace tw {

// The JSON of `timew export`: an array of intervals {"start", "end", "tags", "annotation"},
// times in UTC ("20240328T080000Z"). Each interval becomes an entry: its subject is its tags
// joined with ", " as `timew summary` shows them ("Untagged" without tags), its categories are
// the tags in the file's order, its notes the annotation. An interval without an end is the
// one being timed. Its identity is its start, which Timewarrior keeps unique. Unknown keys are
// ignored; a value of the wrong type, an end before the start or a malformed time is an error.
class TimewarriorReader {
 public:
  static constexpr const char* kSource = "timewarrior";
  static constexpr const char* kUntagged = "Untagged";
  // Throws ImportError saying which interval is wrong and why.
  static ForeignJournal read(InputText& input);
};

}  // namespace tw
