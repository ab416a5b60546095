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

  // A new row of these properties, bound in this order: subject, categories, type, start,
  // duration, companies, body.
  static constexpr const char* kInsert =
      "INSERT INTO journal(subject, categories, type, start, duration, companies, body)"
      " VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7)";
};

}  // namespace tw
