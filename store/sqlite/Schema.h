#pragma once

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
class Schema {
 public:
  static constexpr int kVersion = 6;
  static void prepare(Database& db);
  // A new random (version 4) UUID in its text form, as an SQL expression.
  static constexpr const char* kNewUid =
      "lower(hex(randomblob(4)) || '-' || hex(randomblob(2)) || '-4' ||"
      " substr(hex(randomblob(2)), 2) || '-' || substr('89ab', 1 + (abs(random()) % 4), 1) ||"
      " substr(hex(randomblob(2)), 2) || '-' || hex(randomblob(6)))";
};

}  // namespace tw
