#pragma once

#include <cstdint>
#include <string>

#include "core/DateTime.h"
#include "core/Instant.h"

namespace tw {

// One entry of the journal: a period of work on a task, or a work marker. Its start is an
// instant with the UTC offset in force where it was recorded; its length is kept in seconds.
// Reports and windows show the local wall-clock start and whole minutes.
class JournalEntry {
 public:
  // The store's row, 0 before the entry is stored.
  std::int64_t id = 0;
  // Stable across stores and exports (a UUID); given by the store when empty.
  std::string uid;
  std::string subject;
  Instant start;
  std::int32_t utcOffset = 0;
  std::int64_t seconds = 0;
  // The whole categories text; several categories stay one text ("Design, Admin").
  std::string categories;
  // "Task", "PJ_Task", "TWEvent" or another program's type.
  std::string type;
  std::string companies;
  std::string body;
  // The uid of the task the entry was timed for; empty for markers and hand-made entries.
  std::string taskUid;
  // When the entry was last changed, milliseconds since 1970 (UTC).
  std::int64_t modified = 0;

  DateTime localStart() const { return start.local(utcOffset); }
  // Whole minutes: the seconds rounded down, within the 32-bit range.
  std::int32_t minutes() const;
};

}  // namespace tw
