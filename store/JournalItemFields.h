#pragma once

#include <cstdint>
#include <string>

#include "model/DateTime.h"
#include "store/JournalItem.h"

namespace tw {

// The stored properties of a journal item, as one row of the journal.
struct JournalItem::Fields {
  std::int64_t id = 0;
  std::string subject;
  std::string categories;
  std::string type;
  DateTime start;
  std::int32_t duration = 0;
  std::string companies;
  std::string body;
};

}  // namespace tw
