#pragma once

#include <cstdint>
#include <string>

#include "core/DateTime.h"

namespace tw {

class Database;

// The layout of the store file. Its version is kept in PRAGMA user_version and brought forward
// step by step on open, in one transaction; a file of another program or of a newer version is
// reported and left as it is.
//
// Version 2: tasks and entries carry a uid and a modified time; an entry's start is an instant
// (UTC seconds) with the UTC offset in force when it was recorded, its length is in seconds,
// and it names its task by uid; deleted rows leave a tombstone; one row holds the running
// timer. Version 1 kept local wall-clock starts and whole minutes, and attachments.
// Version 3: the calendar synchronisation's rows per item, collection states and conflict
// copies (see SyncState).
// Version 4: the entries of a type are indexed in the order they were written (the work
// markers' order decides whether a period of work is open), no longer by their start.
// Version 5: the synchronisation's held changes, and when a server refused sync-collection.
// Version 6: the entries imported from other programs, by source and identity there
// (ImportLedger). A store of version 5 is read as it stands where it may not be written.
// Version 7: each entry's local day (the day of its start on its own wall clock: the instant
// plus its UTC offset) is kept beside it and indexed with its start, so the entries of local
// days are read without widening by the offsets the world has. A store of version 3 to 6 is
// read as it stands where it may not be written, the day worked out row by row.
// Version 8: clients, the rates of clients and tasks, the tasks' billable flags and the
// invoiced periods (BillingStore). A store of version 3 to 7 is read as it stands where it may
// not be written: it has no clients.
// Version 9: each task keeps the server's task list it belongs to, and each server collection
// its own synchronisation state (several task lists). A store of version 3 to 8 is read as it
// stands where it may not be written: its tasks are on no list.
class Schema {
 public:
  static constexpr int kVersion = 9;
  // Brings the file to kVersion where it may be written; returns the version it is at.
  static int prepare(Database& db);
  // The SQL of an entry's local day: days since 1 January 1970 on the entry's own wall clock
  // (rounded down, also before 1970), from the journal's columns start and utc_offset.
  static constexpr const char* kLocalDay =
      "((start + utc_offset - ((start + utc_offset) % 86400 + 86400) % 86400) / 86400)";
  // A day (its midnight) as kLocalDay counts it, and back.
  static std::int64_t dayNumber(DateTime day);
  static DateTime dayOf(std::int64_t number);
  // What a query of the journal names an entry's local day by in a store of that version.
  static std::string localDayIn(int version);
  // What a query of the tasks names a task's list by in a store of that version.
  static std::string taskListIn(int version);
  // The day kept for a rate in force from the beginning: before any day a date can name.
  static constexpr std::int64_t kFromTheStart = -1'000'000;
  // A new random (version 4) UUID in its text form, as an SQL expression.
  static constexpr const char* kNewUid =
      "lower(hex(randomblob(4)) || '-' || hex(randomblob(2)) || '-4' ||"
      " substr(hex(randomblob(2)), 2) || '-' || substr('89ab', 1 + (abs(random()) % 4), 1) ||"
      " substr(hex(randomblob(2)), 2) || '-' || hex(randomblob(6)))";
};

}  // namespace tw
