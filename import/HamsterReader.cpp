#include "import/HamsterReader.h"

#include "import/ForeignTime.h"
#include "import/ImportError.h"

namespace tw {
namespace {

// Hamster writes seconds; older versions wrote none.
TimeZone::Reading readingOf(const std::string& text, const std::string& where, const char* what) {
  std::string why;
  std::optional<DateTime> t = ForeignTime::read(text, "YYYY-MM-DD hh:mm:ss", &why);
  if (!t) t = ForeignTime::read(text, "YYYY-MM-DD hh:mm");
  if (!t) throw ImportError(where + ": its " + what + " " + why);
  return ForeignTime::local(*t);
}

}  // namespace

ForeignJournal HamsterReader::read(HamsterFacts& facts) {
  ForeignJournal journal;
  journal.source = kSource;
  facts.visit([&](const HamsterFacts::Fact& f) {
    ForeignEntry e;
    e.where = "fact " + std::to_string(f.id);
    e.identity = f.start;
    const TimeZone::Reading start = readingOf(f.start, e.where, "start");
    e.start = start.instant;
    e.utcOffset = start.offset;
    if (f.end.empty()) {
      e.running = true;
    } else {
      e.seconds = readingOf(f.end, e.where, "end").instant.secondsSince(start.instant);
      if (e.seconds < 0) throw ImportError(e.where + ": it ends before it starts");
    }
    e.subject = f.activity;
    if (!f.category.empty()) e.categories.push_back(f.category);
    e.categories.insert(e.categories.end(), f.tags.begin(), f.tags.end());
    e.body = f.description;
    journal.entries.push_back(std::move(e));
  });
  return journal;
}

}  // namespace tw
