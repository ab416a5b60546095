#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Instant.h"

namespace tw {

// One interval of work (or one mark of a working day) as another time tracker recorded it,
// read into this program's terms: what becomes one journal entry.
class ForeignEntry {
 public:
  enum class Kind { Work, StartWork, StopWork };

  Kind kind = Kind::Work;
  // What tells this item apart in its source (a UID, a start); unique within one reading.
  std::string identity;
  // The task's subject; the markers' own subject for StartWork and StopWork.
  std::string subject;
  Instant start;
  std::int32_t utcOffset = 0;
  std::int64_t seconds = 0;
  // Still being timed in the source: its seconds are those up to the import.
  bool running = false;
  // In the order documented per source; joined with ", " into the entry's categories.
  std::vector<std::string> categories;
  std::string body;
  // Where in the source it stands, for messages ("line 12", "fact 7").
  std::string where;
};

}  // namespace tw
