#include "store/sqlite/InvoiceLock.h"

#include "core/CategoryList.h"
#include "core/Markers.h"
#include "store/sqlite/Database.h"
#include "store/sqlite/Schema.h"
#include "store/sqlite/Statement.h"

namespace tw {

bool InvoiceLock::any() {
  if (db_.schemaVersion() < 8) return false;
  Statement s(db_, "SELECT EXISTS(SELECT 1 FROM invoiced)");
  s.step();
  return s.integer(0) != 0;
}

std::optional<InvoicedError> InvoiceLock::refusal(const JournalEntry& entry, const char* change) {
  if (db_.schemaVersion() < 8 || Markers::isMarker(entry) || entry.categories.empty())
    return std::nullopt;
  const DateTime day = entry.localStart().date();
  Statement s(db_,
              "SELECT id, client, first_day, last_day, marked FROM invoiced"
              " WHERE ?1 BETWEEN first_day AND last_day ORDER BY id");
  s.bind(1, Schema::dayNumber(day));
  while (s.step()) {
    if (!CategoryList::names(entry.categories, s.text(1))) continue;
    InvoicedPeriod period{s.integer(0), std::string(s.text(1)), Schema::dayOf(s.integer(2)),
                          Schema::dayOf(s.integer(3)), s.integer(4)};
    const std::string description = "The journal entry \"" + entry.subject + "\" of " +
                                    InvoicedPeriod::days(day, day) + " cannot be " + change +
                                    ": it is invoiced for " + period.describe() + ".";
    return InvoicedError(description, std::move(period));
  }
  return std::nullopt;
}

}  // namespace tw
