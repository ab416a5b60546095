#pragma once

#include <cstdint>

#include "core/JournalEntry.h"

namespace tw {

class Statement;

// How a journal entry is laid out in a row of the journal table.
class EntryRows {
 public:
  // The columns read by read(), in order.
  static constexpr const char* kColumns =
      "id, uid, subject, start, utc_offset, seconds, categories, type, companies, body, task_uid,"
      " modified";
  // The columns read by readShown(), in order: the fields a report shows.
  static constexpr const char* kShownColumns =
      "subject, start, utc_offset, seconds, categories, type";
  // Fills entry from the statement's current row of kColumns, reusing its texts' storage.
  static void read(const Statement& s, JournalEntry& entry);
  // The same for a row of kShownColumns.
  static void readShown(const Statement& s, JournalEntry& entry);
  // Binds the entry's fields (without id and uid) to parameters first .. first + 9 in the order
  // subject, start, utc_offset, seconds, categories, type, companies, body, task_uid, modified.
  static void bindFields(Statement& s, int first, const JournalEntry& entry, std::int64_t modified);
};

}  // namespace tw
