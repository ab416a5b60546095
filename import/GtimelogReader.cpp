#include "import/GtimelogReader.h"

#include <algorithm>
#include <set>
#include <sstream>

#include "import/ForeignTime.h"
#include "import/ImportError.h"

namespace tw {
namespace {

constexpr const char* kPattern = "YYYY-MM-DD hh:mm";
constexpr std::size_t kTimeLength = 16;
// gtimelog's default virtual midnight: a day's lines run from 02:00 to 02:00.
constexpr std::int64_t kVirtualMidnight = 2 * 3600;

struct Line {
  DateTime time;
  std::string timeText;
  std::string text;
  long number = 0;
};

DateTime virtualDay(DateTime t) {
  return t.addSeconds(-kVirtualMidnight).date();
}

std::string trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

// The entry's title and its tags, as gtimelog splits them at " -- ".
std::pair<std::string, std::set<std::string>> titleAndTags(const std::string& text) {
  const std::size_t at = text.find(" -- ");
  if (at == std::string::npos) return {text, {}};
  std::string title = trimmed(text.substr(0, at));
  std::set<std::string> tags;
  std::istringstream words(text.substr(at + 4));
  for (std::string word; words >> word;) tags.insert(word);
  if (tags.erase("***") > 0)
    title += " ***";
  else if (tags.erase("**") > 0)
    title += " **";
  return {title, tags};
}

class Days {
 public:
  explicit Days(ForeignJournal& journal) : journal_(journal) {}

  void add(const Line& line) {
    if (!previous_ || virtualDay(previous_->time) != virtualDay(line.time)) {
      closeDay();
      mark(ForeignEntry::Kind::StartWork, line, "start " + dayText(line));
    } else {
      work(*previous_, line);
    }
    previous_ = line;
  }
  void closeDay() {
    if (previous_) mark(ForeignEntry::Kind::StopWork, *previous_, "stop " + dayText(*previous_));
  }

 private:
  static std::string dayText(const Line& line) {
    const DateTime day = virtualDay(line.time);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", day.year(), day.month(), day.day());
    return text;
  }
  void mark(ForeignEntry::Kind kind, const Line& line, std::string identity) {
    ForeignEntry m;
    m.kind = kind;
    m.identity = std::move(identity);
    const TimeZone::Reading at = ForeignTime::local(line.time);
    m.start = at.instant;
    m.utcOffset = at.offset;
    m.where = "line " + std::to_string(line.number);
    journal_.entries.push_back(std::move(m));
  }
  void work(const Line& from, const Line& to) {
    const std::string where = "line " + std::to_string(to.number);
    auto [title, tags] = titleAndTags(to.text);
    if (title.find("***") != std::string::npos) {
      journal_.skipped.push_back({where, "hidden from gtimelog's reports (***)"});
      return;
    }
    if (title.find("**") != std::string::npos) {
      journal_.skipped.push_back({where, "not work (**): " + ImportError::quoted(title)});
      return;
    }
    if (title.empty()) {
      journal_.skipped.push_back({where, "an entry without text"});
      return;
    }
    ForeignEntry e;
    const TimeZone::Reading start = ForeignTime::local(from.time);
    e.start = start.instant;
    e.utcOffset = start.offset;
    e.seconds = ForeignTime::local(to.time).instant.secondsSince(start.instant);
    e.identity = to.timeText;
    e.where = where;
    e.subject = title;
    if (const std::size_t colon = title.find(": "); colon != std::string::npos)
      e.categories.push_back(title.substr(0, colon));
    else if (!title.empty() && title.back() == ':')
      e.categories.push_back(title.substr(0, title.size() - 1));
    e.categories.insert(e.categories.end(), tags.begin(), tags.end());
    journal_.entries.push_back(std::move(e));
  }

  ForeignJournal& journal_;
  std::optional<Line> previous_;
};

}  // namespace

ForeignJournal GtimelogReader::read(InputText& input) {
  ForeignJournal journal;
  journal.source = kSource;
  std::vector<Line> lines;
  bool foreign = false;
  std::string text;
  while (input.next(text)) {
    const std::string line = trimmed(text);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t colon = text.find(": ");
    std::optional<DateTime> time;
    if (colon == kTimeLength) time = ForeignTime::read(text.substr(0, colon), kPattern);
    if (!time) {
      journal.skipped.push_back({"line " + std::to_string(input.number()),
                                 "gtimelog reads no time in it: " + ImportError::quoted(line)});
      foreign = true;
      continue;
    }
    lines.push_back(
        {*time, text.substr(0, colon), trimmed(text.substr(colon + 2)), input.number()});
  }
  if (lines.empty() && foreign)
    throw ImportError(input.name() + " is not a gtimelog file: no line starts with a time (" +
                      kPattern + ": text)");
  std::stable_sort(lines.begin(), lines.end(),
                   [](const Line& a, const Line& b) { return a.time < b.time; });
  Days days(journal);
  for (const Line& line : lines) days.add(line);
  days.closeDay();
  return journal;
}

}  // namespace tw
