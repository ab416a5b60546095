#include "store/sqlite/EntryRows.h"

#include "store/sqlite/Statement.h"

namespace tw {

void EntryRows::read(const Statement& s, JournalEntry& e) {
  e.id = s.integer(0);
  e.uid = s.text(1);
  e.subject = s.text(2);
  e.start = Instant::fromUnix(s.integer(3));
  e.utcOffset = static_cast<std::int32_t>(s.integer(4));
  e.seconds = s.integer(5);
  e.categories = s.text(6);
  e.type = s.text(7);
  e.companies = s.text(8);
  e.body = s.text(9);
  e.taskUid = s.text(10);
  e.modified = s.integer(11);
}

void EntryRows::readShown(const Statement& s, JournalEntry& e) {
  e.subject = s.text(0);
  e.start = Instant::fromUnix(s.integer(1));
  e.utcOffset = static_cast<std::int32_t>(s.integer(2));
  e.seconds = s.integer(3);
  e.categories = s.text(4);
  e.type = s.text(5);
}

void EntryRows::bindFields(Statement& s, int first, const JournalEntry& e, std::int64_t modified) {
  s.bind(first, e.subject).bind(first + 1, e.start.unixSeconds());
  s.bind(first + 2, std::int64_t{e.utcOffset}).bind(first + 3, e.seconds);
  s.bind(first + 4, e.categories).bind(first + 5, e.type).bind(first + 6, e.companies);
  s.bind(first + 7, e.body).bind(first + 8, e.taskUid).bind(first + 9, modified);
}

}  // namespace tw
