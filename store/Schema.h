#pragma once

namespace tw {

class Connection;

// The layout of the store file. Its version is kept in PRAGMA user_version and brought
// forward step by step on open; a file of another program or of a newer version is reported
// and left as it is.
class Schema {
 public:
  static constexpr int kVersion = 1;
  static void prepare(Connection& connection);

  // The trigger that keeps the journal's item count. A bulk insert drops it inside its
  // transaction and adds its count once at the end, then puts it back with this text.
  static constexpr const char* kJournalAddedTrigger =
      "CREATE TRIGGER journal_added AFTER INSERT ON journal"
      " BEGIN UPDATE counts SET n = n + 1 WHERE folder = 'journal'; END;";
};

}  // namespace tw
