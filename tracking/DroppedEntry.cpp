#include "tracking/DroppedEntry.h"

#include <cctype>
#include <cstdint>
#include <set>
#include <string>

#include "core/DateText.h"
#include "core/DateTime.h"

namespace tw {
namespace {

// The start as a journal entry's text shows it: the general date with ":00 " written as " "
// (10:30:00 AM becomes 10:30 AM).
std::string shownStart(DateTime start) {
  const std::string general = DateText::generalDate(start);
  std::string text;
  text.reserve(general.size());
  for (std::size_t i = 0; i < general.size(); ++i) {
    if (general.compare(i, 4, ":00 ") == 0) {
      text += ' ';
      i += 3;
    } else {
      text += general[i];
    }
  }
  return text;
}

bool digit(std::string_view text, std::size_t i) {
  return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
}

// Reads up to `most` digits at i (at least one); -1 when there is none.
int number(std::string_view text, std::size_t& i, std::size_t most) {
  int value = -1;
  for (std::size_t n = 0; n < most && digit(text, i); ++n, ++i)
    value = (value < 0 ? 0 : value * 10) + (text[i] - '0');
  return value;
}

// The short dates (M/d/yyyy) the text names, valid ones only.
std::set<DateTime> namedDays(std::string_view text) {
  std::set<DateTime> days;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!digit(text, i) || (i > 0 && digit(text, i - 1))) continue;
    std::size_t at = i;
    const int month = number(text, at, 2);
    if (at >= text.size() || text[at++] != '/') continue;
    const int day = number(text, at, 2);
    if (at >= text.size() || text[at++] != '/') continue;
    const std::size_t yearAt = at;
    const int year = number(text, at, 4);
    if (at - yearAt != 4 || digit(text, at) || !DateTime::whyInvalid(year, month, day).empty())
      continue;
    days.insert(DateTime::fromParts(year, month, day));
  }
  return days;
}

}  // namespace

std::optional<JournalEntry> DroppedEntry::find(JournalStore& store, const TaskList& tasks,
                                               std::string_view text) {
  std::optional<JournalEntry> first;
  for (const DateTime day : namedDays(text)) {
    store.readDays(day, day, [&](auto batch) {
      for (const JournalEntry& e : batch) {
        if (first && first->id < e.id) continue;
        if (text.find(e.subject) != std::string_view::npos &&
            text.find(shownStart(e.localStart())) != std::string_view::npos &&
            tasks.find(e.subject))
          first = e;
      }
    });
  }
  return first;
}

}  // namespace tw
