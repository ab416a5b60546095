#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/JournalEntry.h"

namespace tw {

// What a journal entry and a task may hold: the one rule every way in asks (the command's
// arguments, the JSON and iCalendar imports, the synchronisation, the windows), and the one
// `check` applies to what a store already holds. Each answer is empty when the value is fine,
// else what is wrong in plain words, starting with the label given or the field's name ("the
// subject must not be empty").
//
// Texts are valid UTF-8 without control characters (C0, DEL, C1); notes may hold tabs and line
// breaks. A subject is not blank. A start and an end read on the entry's own wall clock lie in
// the dates a DateTime holds (1/1/0100 to 12/31/9999); a length is 0 to 1,000,000 minutes; a UTC
// offset is at most 18 hours either way. Sizes are bounded, so that a hostile file cannot make
// an entry of gigabytes.
class EntryRules {
 public:
  enum class Text {
    // A subject: one line, not blank.
    Name,
    // Categories, a type, companies, a uid: one line, may be empty.
    Line,
    // Notes: lines, with tabs.
    Notes,
  };

  static constexpr std::int64_t kMostMinutes = 1'000'000;
  static constexpr std::int64_t kMostSeconds = kMostMinutes * 60;
  static constexpr std::int32_t kMostOffset = 18 * 3600;
  static constexpr std::size_t kMostLineBytes = 4096;
  static constexpr std::size_t kMostNotesBytes = 1 << 20;
  // The texts of the main window's own entries at the end of its task list: no task is named
  // so, lest it be taken for one of them.
  static constexpr std::string_view kRefreshItem = "<Refresh>";
  static constexpr std::string_view kEditTasksItem = "<Edit tasks…>";

  static std::string whyInvalidText(std::string_view label, std::string_view text, Text kind);
  static std::string whyInvalid(const JournalEntry& entry);
  static std::string whyInvalidTask(std::string_view subject, std::string_view categories);
};

}  // namespace tw
