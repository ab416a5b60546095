#include "import/CsvReader.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "core/FormatError.h"
#include "import/ForeignTime.h"
#include "import/ImportError.h"

namespace tw {
namespace {

using Fields = std::vector<std::string>;

// The fields of the next record, which may run over several lines inside quotes; false at
// the end of the input.
bool nextRecord(InputText& input, char delimiter, Fields& fields) {
  fields.clear();
  std::string line;
  if (!input.next(line)) return false;
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0;; ++i) {
    if (i == line.size()) {
      if (!quoted) break;
      field += '\n';
      if (!input.next(line)) input.fail("a quoted field is not closed");
      i = static_cast<std::size_t>(-1);
      continue;
    }
    const char c = line[i];
    if (quoted) {
      if (c != '"') {
        field += c;
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        field += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == delimiter) {
      fields.push_back(std::move(field));
      field.clear();
    } else {
      field += c;
    }
  }
  fields.push_back(std::move(field));
  return true;
}

char delimiterOf(const std::string& header) {
  char best = ',';
  long most = -1;
  for (const char d : {',', ';', '\t'}) {
    long n = 0;
    bool quoted = false;
    for (const char c : header) {
      if (c == '"') quoted = !quoted;
      if (!quoted && c == d) ++n;
    }
    if (n > most) most = n, best = d;
  }
  return best;
}

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<DateTime> dateOf(const std::string& text) {
  for (const char* pattern :
       {"YYYY-MM-DD", "MM/DD/YYYY", "M/DD/YYYY", "MM/D/YYYY", "M/D/YYYY", "DD.MM.YYYY"})
    if (auto d = ForeignTime::read(text, pattern)) return d;
  return std::nullopt;
}

// Seconds of the day of hh:mm[:ss] or h:mm[:ss] AM/PM.
std::optional<std::int64_t> timeOf(std::string text) {
  int shift = -1;
  if (text.size() > 3 && (text.ends_with(" AM") || text.ends_with(" PM"))) {
    shift = text.ends_with(" PM") ? 12 : 0;
    text.resize(text.size() - 3);
  }
  for (const char* pattern : {"hh:mm:ss", "h:mm:ss", "hh:mm", "h:mm"}) {
    const std::optional<DateTime> t =
        ForeignTime::read("2000-01-01 " + text, std::string("YYYY-MM-DD ") + pattern);
    if (!t) continue;
    int hour = t->hour();
    if (shift >= 0) {
      if (hour < 1 || hour > 12) return std::nullopt;
      hour = hour % 12 + shift;
    }
    return std::int64_t{hour} * 3600 + t->minute() * 60 + t->second();
  }
  return std::nullopt;
}

class Row {
 public:
  Row(const Fields& fields, const CsvColumns& columns, const InputText& input)
      : fields_(fields), columns_(columns), input_(input) {}

  std::string value(CsvColumns::Field f) const {
    const auto column = columns_.column(f);
    return column && *column < fields_.size() ? trimmed(fields_[*column]) : std::string();
  }
  [[noreturn]] void fail(const std::string& what) const { input_.fail(what); }

  // The moment of a combined column, or of a date and a time column.
  std::optional<TimeZone::Reading> moment(CsvColumns::Field combined, CsvColumns::Field date,
                                          CsvColumns::Field time, const char* what) const {
    if (const std::string text = value(combined); !text.empty()) return combinedMoment(text, what);
    const std::string day = value(date);
    if (day.empty()) return std::nullopt;
    const std::optional<DateTime> d = dateOf(day);
    if (!d) fail("the " + std::string(what) + " date " + ImportError::quoted(day) + " is no date");
    std::int64_t seconds = 0;
    if (const std::string t = value(time); !t.empty()) {
      const std::optional<std::int64_t> s = timeOf(t);
      if (!s) fail("the " + std::string(what) + " time " + ImportError::quoted(t) + " is no time");
      seconds = *s;
    }
    return ForeignTime::local(d->addSeconds(seconds));
  }
  std::optional<std::int64_t> timeOfDay(CsvColumns::Field f, const char* what) const {
    const std::string t = value(f);
    if (t.empty()) return std::nullopt;
    const std::optional<std::int64_t> s = timeOf(t);
    if (!s) fail("the " + std::string(what) + " time " + ImportError::quoted(t) + " is no time");
    return s;
  }
  std::int64_t duration() const {
    const std::string text = value(CsvColumns::Duration);
    if (text.empty()) fail("it has neither an end nor a duration");
    for (const char* pattern : {"hh:mm:ss", "h:mm:ss", "hh:mm", "h:mm"}) {
      const auto t = ForeignTime::read("2000-01-01 " + text, std::string("YYYY-MM-DD ") + pattern);
      if (t) return t->secondsOfDay();
    }
    std::string decimal = text;
    for (char& c : decimal)
      if (c == ',') c = '.';
    char* end = nullptr;
    const double hours = std::strtod(decimal.c_str(), &end);
    if (end == decimal.c_str() || *end != '\0' || !std::isfinite(hours) || hours < 0 || hours > 1e6)
      fail("the duration " + ImportError::quoted(text) + " is neither h:mm:ss nor hours");
    return std::llround(hours * 3600);
  }

 private:
  std::optional<TimeZone::Reading> combinedMoment(const std::string& text, const char* what) const {
    std::string local = text;
    std::optional<std::int32_t> offset;
    if (local.size() > 19 && local[10] == 'T') {
      if (local.back() == 'Z') {
        offset = 0;
        local.pop_back();
      } else if (local.size() == 25 && (local[19] == '+' || local[19] == '-')) {
        const auto o = ForeignTime::read(local.substr(19), "+hh:mm");
        const auto minus = ForeignTime::read(local.substr(19), "-hh:mm");
        const std::optional<DateTime> parts = o ? o : minus;
        if (parts) offset = (o ? 1 : -1) * (parts->hour() * 3600 + parts->minute() * 60);
        local.resize(19);
      }
    }
    const std::size_t blank = local.find_first_of(" T");
    const std::optional<DateTime> d = dateOf(local.substr(0, blank));
    const std::optional<std::int64_t> t = blank == std::string::npos
                                              ? std::optional<std::int64_t>(0)
                                              : timeOf(local.substr(blank + 1));
    if (!d || !t)
      fail("the " + std::string(what) + " " + ImportError::quoted(text) + " is no date and time");
    const DateTime reading = d->addSeconds(*t);
    if (!offset) return ForeignTime::local(reading);
    const Instant at = Instant::fromLocal(reading, *offset);
    return TimeZone::Reading{at, TimeZone::offsetAt(at)};
  }

  const Fields& fields_;
  const CsvColumns& columns_;
  const InputText& input_;
};

std::vector<std::string> tagsOf(const std::string& text) {
  std::vector<std::string> tags;
  std::size_t from = 0;
  for (;;) {
    const std::size_t comma = text.find(',', from);
    const std::string tag = trimmed(text.substr(from, comma - from));
    if (!tag.empty()) tags.push_back(tag);
    if (comma == std::string::npos) return tags;
    from = comma + 1;
  }
}

bool yes(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text == "yes" || text == "true" || text == "1" || text == "y";
}

ForeignEntry entryOf(const Row& row, const InputText& input) {
  ForeignEntry e;
  e.where = "line " + std::to_string(input.number());
  const auto start =
      row.moment(CsvColumns::Start, CsvColumns::StartDate, CsvColumns::StartTime, "start");
  if (!start) row.fail("it has no start");
  e.start = start->instant;
  e.utcOffset = start->offset;
  if (auto end = row.moment(CsvColumns::End, CsvColumns::EndDate, CsvColumns::EndTime, "end")) {
    e.seconds = end->instant.secondsSince(start->instant);
  } else if (const auto endTime = row.timeOfDay(CsvColumns::EndTime, "end")) {
    const DateTime from = start->instant.local(start->offset);
    DateTime to = from.date().addSeconds(*endTime);
    if (to < from) to = to.addDays(1);
    e.seconds = ForeignTime::local(to).instant.secondsSince(start->instant);
  } else {
    e.seconds = row.duration();
  }
  const std::string task = row.value(CsvColumns::Task);
  const std::string description = row.value(CsvColumns::Description);
  const std::string project = row.value(CsvColumns::Project);
  e.subject = !task.empty() ? task : !description.empty() ? description : project;
  if (!task.empty()) e.body = description;
  for (const std::string& c : {project, row.value(CsvColumns::Client)})
    if (!c.empty()) e.categories.push_back(c);
  for (std::string& tag : tagsOf(row.value(CsvColumns::Tags)))
    e.categories.push_back(std::move(tag));
  if (yes(row.value(CsvColumns::Billable))) e.categories.push_back(CsvReader::kBillable);
  const std::string id = row.value(CsvColumns::Id);
  e.identity = !id.empty() ? "id " + id : std::to_string(e.start.unixSeconds()) + " " + e.subject;
  return e;
}

}  // namespace

ForeignJournal CsvReader::read(InputText& input, const CsvColumns::Choices& choices) {
  std::string first;
  while (input.next(first) && trimmed(first).empty()) {
  }
  if (first.empty()) throw ImportError(input.name() + " is empty");
  if (first.starts_with("\xEF\xBB\xBF")) first.erase(0, 3);
  const char delimiter = delimiterOf(first);
  std::istringstream headerLine(first);
  InputText headerInput(headerLine, input.name());
  Fields header;
  nextRecord(headerInput, delimiter, header);
  for (std::string& h : header) h = trimmed(h);
  std::optional<CsvColumns> columns;
  try {
    columns.emplace(header, choices);
  } catch (const FormatError& e) {
    throw ImportError(input.name() + ": " + e.what());
  }
  if (!columns->column(CsvColumns::Start) && !columns->column(CsvColumns::StartDate))
    throw ImportError(input.name() +
                      " has no start column (name it with --column start=HEADER "
                      "or --column start-date=HEADER)");
  ForeignJournal journal;
  journal.source = kSource;
  journal.notes.push_back("Columns: " + columns->text(header));
  Fields fields;
  while (nextRecord(input, delimiter, fields)) {
    if (fields.size() == 1 && trimmed(fields[0]).empty()) continue;
    if (fields.size() != header.size())
      input.fail("it has " + std::to_string(fields.size()) + " fields, the header " +
                 std::to_string(header.size()));
    journal.entries.push_back(entryOf(Row(fields, *columns, input), input));
  }
  return journal;
}

}  // namespace tw
