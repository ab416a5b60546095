#pragma once

#include "import/ForeignJournal.h"
#include "store/HamsterFacts.h"

namespace tw {

// The facts of a Hamster database: each becomes an entry whose subject is the fact's activity,
// whose categories are the activity's category and then the fact's tags, and whose notes are
// its description. Times are Hamster's local wall-clock readings of this machine's time zone;
// lengths are real time (on the night the clocks change they differ from Hamster's difference
// of readings). A fact without an end is the one being timed. Its identity is its start.
class HamsterReader {
 public:
  static constexpr const char* kSource = "hamster";
  // Throws ImportError for a fact with a malformed time or an end before its start,
  // StoreError when the database cannot be read.
  static ForeignJournal read(HamsterFacts& facts);
};

}  // namespace tw
