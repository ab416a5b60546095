#include "import/TimewarriorReader.h"

#include <nlohmann/json.hpp>
#include <vector>

#include "import/ForeignTime.h"
#include "import/ImportError.h"

namespace tw {
namespace {

using nlohmann::json;

constexpr const char* kUtcPattern = "YYYYMMDDThhmmssZ";

struct Text {
  std::string all;
  // Where each line begins in all, to name the line of a JSON error.
  std::vector<std::size_t> lineStarts;
};

Text readAll(InputText& input) {
  Text text;
  std::string line;
  while (input.next(line)) {
    text.lineStarts.push_back(text.all.size());
    text.all += line;
    text.all += '\n';
  }
  return text;
}

long lineAt(const Text& text, std::size_t byte) {
  long line = 0;
  for (const std::size_t start : text.lineStarts) {
    if (start > byte) break;
    ++line;
  }
  return line;
}

class Interval {
 public:
  Interval(const json& object, std::size_t number) : object_(object), number_(number) {
    if (!object.is_object()) fail("it is not a JSON object");
  }

  [[noreturn]] void fail(const std::string& what) const {
    throw ImportError("interval " + std::to_string(number_) + ": " + what);
  }
  const json* key(const char* name) const {
    const auto found = object_.find(name);
    return found == object_.end() ? nullptr : &*found;
  }
  std::string text(const char* name, const json& value) const {
    if (!value.is_string()) fail("\"" + std::string(name) + "\" is not a text");
    return value.get<std::string>();
  }
  TimeZone::Reading time(const char* name) const {
    const json* value = key(name);
    if (!value) fail("\"" + std::string(name) + "\" is missing");
    std::string why;
    const std::optional<DateTime> t = ForeignTime::read(text(name, *value), kUtcPattern, &why);
    if (!t) fail("\"" + std::string(name) + "\": " + why);
    return ForeignTime::utc(*t);
  }
  std::vector<std::string> tags() const {
    const json* value = key("tags");
    std::vector<std::string> out;
    if (!value) return out;
    if (!value->is_array()) fail("\"tags\" is not a list");
    for (const json& tag : *value) out.push_back(text("tags", tag));
    return out;
  }
  std::string where() const { return "interval " + std::to_string(number_); }

 private:
  const json& object_;
  std::size_t number_;
};

ForeignEntry entryOf(const Interval& interval) {
  ForeignEntry e;
  const TimeZone::Reading start = interval.time("start");
  e.start = start.instant;
  e.utcOffset = start.offset;
  e.identity = interval.text("start", *interval.key("start"));
  e.where = interval.where();
  if (interval.key("end")) {
    const TimeZone::Reading end = interval.time("end");
    e.seconds = end.instant.secondsSince(start.instant);
    if (e.seconds < 0) interval.fail("it ends before it starts");
  } else {
    e.running = true;
  }
  e.categories = interval.tags();
  for (const std::string& tag : e.categories) e.subject += (e.subject.empty() ? "" : ", ") + tag;
  if (e.subject.empty()) e.subject = TimewarriorReader::kUntagged;
  if (const json* annotation = interval.key("annotation"))
    e.body = interval.text("annotation", *annotation);
  return e;
}

}  // namespace

ForeignJournal TimewarriorReader::read(InputText& input) {
  const Text text = readAll(input);
  json all;
  try {
    all = json::parse(text.all);
  } catch (const json::parse_error& e) {
    throw ImportError("line " + std::to_string(lineAt(text, e.byte == 0 ? 0 : e.byte - 1)) +
                      " of " + input.name() + ": it is not the JSON of timew export");
  } catch (const json::exception&) {
    // A number too large for any type (1e1111).
    throw ImportError(input.name() + " is not the JSON of timew export (a number is out of range)");
  }
  if (!all.is_array())
    throw ImportError(input.name() + " is not the JSON of timew export (no list)");
  ForeignJournal journal;
  journal.source = kSource;
  journal.entries.reserve(all.size());
  for (std::size_t i = 0; i < all.size(); ++i)
    journal.entries.push_back(entryOf(Interval(all[i], i + 1)));
  return journal;
}

}  // namespace tw
