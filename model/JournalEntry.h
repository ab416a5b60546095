#pragma once

#include <cstdint>
#include <string>

#include "model/DateTime.h"

namespace tw {

// The system's own copy of one journal item: the fields reporting needs, taken from the item
// once, and the store's id of the item (0 for none) as a light handle back to it.
class JournalEntry {
 public:
  std::string subject;
  DateTime start;
  // Whole minutes.
  std::int32_t duration = 0;
  // The item's whole categories text; several categories stay one text ("Design, Admin").
  std::string Category;
  std::string company;
  std::string entrytype;
  std::string notes;
  std::int64_t item = 0;

  // "0 minutes", "1 minutes", "1 hour", "1 hour, 1 minutes", "2 hours, 30 minutes".
  std::string friendlyDuration() const;
  // Appends friendlyDuration to the text, for reports of many entries.
  void appendFriendlyDuration(std::string& out) const;
  // Hours rounded to two decimals, halves to even: 90 -> 1.5, 20 -> 0.33, 1 -> 0.02.
  double decimalDuration() const;
};

}  // namespace tw
