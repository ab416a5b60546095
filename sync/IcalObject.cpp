#include "sync/IcalObject.h"

#include <strings.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "sync/SyncError.h"

namespace tw {
namespace {

// A TEXT value with "\\", ";", "," and newlines escaped (RFC 5545 section 3.3.11), without
// carriage returns.
std::string escaped(std::string_view value) {
  std::string out;
  for (char c : value) {
    if (c == '\r') continue;
    if (c == '\\' || c == ',' || c == ';') out += '\\';
    if (c == '\n') {
      out += "\\n";
      continue;
    }
    out += c;
  }
  return out;
}

// A content line folded after at most 75 octets, never inside a UTF-8 character.
std::string folded(std::string_view line) {
  std::string out;
  std::size_t width = 0;
  for (const char c : line) {
    const bool continuation = (static_cast<unsigned char>(c) & 0xC0) == 0x80;
    if (width >= 74 && !continuation) {
      out += "\r\n ";
      width = 1;
    }
    out += c;
    ++width;
  }
  return out + "\r\n";
}

// Replaces the properties by one placeholder line, whose text is written here instead.
void swapOut(icalcomponent* c, const std::vector<icalproperty*>& swapped, const std::string& line,
             std::vector<std::string>& lines) {
  lines.push_back(folded(line));
  icalproperty* placeholder = icalproperty_new_x("1");
  icalproperty_set_x_name(placeholder, ("X-TW-" + std::to_string(lines.size())).c_str());
  icalcomponent_add_property(c, placeholder);
  for (icalproperty* p : swapped) {
    icalcomponent_remove_property(c, p);
    icalproperty_free(p);
  }
}

// This libical writes the values of X- properties without escaping commas and semicolons, and
// some servers cut such a value at its first comma; and it writes each category of CATEGORIES
// as a property of its own. The X- properties without parameters, and the CATEGORIES without
// parameters together, are swapped for placeholder lines, and their lines are written here.
void swapOutLines(icalcomponent* c, std::vector<std::string>& lines) {
  std::vector<icalproperty*> xs;
  std::vector<icalproperty*> categories;
  std::string categoryLine;
  for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_ANY_PROPERTY); p;
       p = icalcomponent_get_next_property(c, ICAL_ANY_PROPERTY)) {
    if (icalproperty_count_parameters(p) != 0) continue;
    icalvalue* v = icalproperty_get_value(p);
    if (icalproperty_isa(p) == ICAL_X_PROPERTY && v && icalvalue_isa(v) == ICAL_X_VALUE &&
        icalvalue_get_x(v)) {
      xs.push_back(p);
    } else if (icalproperty_isa(p) == ICAL_CATEGORIES_PROPERTY && icalproperty_get_categories(p)) {
      categoryLine +=
          (categories.empty() ? "CATEGORIES:" : ",") + escaped(icalproperty_get_categories(p));
      categories.push_back(p);
    }
  }
  for (icalproperty* p : xs)
    swapOut(c, {p},
            std::string(icalproperty_get_x_name(p)) + ":" +
                escaped(icalvalue_get_x(icalproperty_get_value(p))),
            lines);
  if (!categories.empty()) swapOut(c, categories, categoryLine, lines);
  for (icalcomponent* s = icalcomponent_get_first_component(c, ICAL_ANY_COMPONENT); s;
       s = icalcomponent_get_next_component(c, ICAL_ANY_COMPONENT))
    swapOutLines(s, lines);
}

bool isException(icalcomponent* c) {
  return icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY) != nullptr;
}

}  // namespace

IcalObject IcalObject::parse(const std::string& text) {
  checkText(text, kMaxObjectBytes);
  IcalObject object = adopt(icalparser_parse_string(text.c_str()));
  const icalcomponent_kind kind = icalcomponent_isa(object.root_.get());
  if (kind != ICAL_VCALENDAR_COMPONENT && kind != ICAL_XROOT_COMPONENT)
    throw SyncError("not an iCalendar object (no VCALENDAR)");
  for (icalcomponent* calendar : object.calendars())
    for (icalcomponent* z = icalcomponent_get_first_component(calendar, ICAL_VTIMEZONE_COMPONENT);
         z; z = icalcomponent_get_next_component(calendar, ICAL_VTIMEZONE_COMPONENT))
      checkTimeZone(z);
  return object;
}

IcalObject IcalObject::adopt(icalcomponent* root) {
  if (!root) throw SyncError("not an iCalendar object");
  return IcalObject(root);
}

void IcalObject::checkText(std::string_view text, std::size_t maxBytes) {
  if (text.size() > maxBytes)
    throw SyncError("it is larger than " + std::to_string(maxBytes / (1024 * 1024)) +
                    " MB, which is refused");
  int depth = 0;
  std::size_t line = 0;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view physical = text.substr(at, end - at);
    const bool continued = !physical.empty() && (physical[0] == ' ' || physical[0] == '\t');
    line = continued ? line + physical.size() : physical.size();
    if (line > kMaxLineBytes)
      throw SyncError("it holds a property longer than " +
                      std::to_string(kMaxLineBytes / (1024 * 1024)) + " MB, which is refused");
    if (!continued && physical.size() >= 6 && strncasecmp(physical.data(), "BEGIN:", 6) == 0 &&
        ++depth > kMaxDepth)
      throw SyncError("its components nest deeper than " + std::to_string(kMaxDepth) +
                      " levels, which is refused");
    if (!continued && physical.size() >= 4 && strncasecmp(physical.data(), "END:", 4) == 0) --depth;
    at = end + 1;
  }
}

std::string IcalObject::timeZoneId(icalcomponent* vtimezone) {
  icalproperty* p = icalcomponent_get_first_property(vtimezone, ICAL_TZID_PROPERTY);
  const char* id = p ? icalproperty_get_tzid(p) : nullptr;
  return id ? id : "";
}

void IcalObject::checkTimeZone(icalcomponent* vtimezone) {
  // Real time zones change at most a few times a year, by yearly rules or listed dates.
  constexpr int kMaxRules = 16;
  constexpr int kMaxChangesPerYear = 31;
  constexpr int kMaxDates = 2000;
  const std::string what = "its time zone \"" + timeZoneId(vtimezone) + "\" ";
  int rules = 0;
  int dates = 0;
  for (icalcomponent* o = icalcomponent_get_first_component(vtimezone, ICAL_ANY_COMPONENT); o;
       o = icalcomponent_get_next_component(vtimezone, ICAL_ANY_COMPONENT)) {
    for (icalproperty* p = icalcomponent_get_first_property(o, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(o, ICAL_RDATE_PROPERTY))
      if (++dates > kMaxDates) throw SyncError(what + "lists more changes than any real one");
    for (icalproperty* p = icalcomponent_get_first_property(o, ICAL_RRULE_PROPERTY); p;
         p = icalcomponent_get_next_property(o, ICAL_RRULE_PROPERTY)) {
      if (++rules > kMaxRules) throw SyncError(what + "has more rules than any real one");
      const icalrecurrencetype r = icalproperty_get_rrule(p);
      if (r.freq != ICAL_YEARLY_RECURRENCE || r.interval < 1 ||
          r.by_second[0] != ICAL_RECURRENCE_ARRAY_MAX ||
          r.by_minute[0] != ICAL_RECURRENCE_ARRAY_MAX || r.by_hour[0] != ICAL_RECURRENCE_ARRAY_MAX)
        throw SyncError(what + "changes more often than once a year, which no real one does");
      long changes = 1;
      const std::pair<const short*, int> parts[] = {
          {r.by_day, ICAL_BY_DAY_SIZE},          {r.by_month_day, ICAL_BY_MONTHDAY_SIZE},
          {r.by_year_day, ICAL_BY_YEARDAY_SIZE}, {r.by_week_no, ICAL_BY_WEEKNO_SIZE},
          {r.by_month, ICAL_BY_MONTH_SIZE},      {r.by_set_pos, ICAL_BY_SETPOS_SIZE}};
      for (const auto& [by, size] : parts) {
        int n = 0;
        while (n < size && by[n] != ICAL_RECURRENCE_ARRAY_MAX) ++n;
        changes *= std::max(1, n);
        if (changes > kMaxChangesPerYear)
          throw SyncError(what + "changes more often than any real one");
      }
    }
  }
}

IcalObject IcalObject::create(icalcomponent_kind kind) {
  IcalObject object(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
  icalcomponent_add_property(object.root_.get(), icalproperty_new_version("2.0"));
  icalcomponent_add_property(object.root_.get(),
                             icalproperty_new_prodid("-//Tallyworks//Tallyworks//EN"));
  if (kind != ICAL_NO_COMPONENT)
    icalcomponent_add_component(object.root_.get(), icalcomponent_new(kind));
  return object;
}

void IcalObject::take(icalcomponent* c) {
  if (icalcomponent* parent = icalcomponent_get_parent(c))
    icalcomponent_remove_component(parent, c);
  icalcomponent_add_component(root_.get(), c);
}

std::vector<icalcomponent*> IcalObject::calendars() const {
  if (icalcomponent_isa(root_.get()) == ICAL_VCALENDAR_COMPONENT) return {root_.get()};
  std::vector<icalcomponent*> out;
  for (icalcomponent* c = icalcomponent_get_first_component(root_.get(), ICAL_VCALENDAR_COMPONENT);
       c; c = icalcomponent_get_next_component(root_.get(), ICAL_VCALENDAR_COMPONENT))
    out.push_back(c);
  return out;
}

icalcomponent* IcalObject::item(icalcomponent_kind kind) const {
  for (icalcomponent* calendar : calendars())
    for (icalcomponent* c = icalcomponent_get_first_component(calendar, kind); c;
         c = icalcomponent_get_next_component(calendar, kind))
      if (!isException(c)) return c;
  return nullptr;
}

std::string IcalObject::text() const {
  return componentText(root_.get());
}

// The placeholders come out in the order they were made, so one pass puts the lines in.
std::string IcalObject::componentText(icalcomponent* c) {
  std::unique_ptr<icalcomponent, void (*)(icalcomponent*)> copy(icalcomponent_new_clone(c),
                                                                icalcomponent_free);
  std::vector<std::string> lines;
  swapOutLines(copy.get(), lines);
  char* text = icalcomponent_as_ical_string_r(copy.get());
  const std::string written(text ? text : "");
  icalmemory_free_buffer(text);
  std::string out;
  out.reserve(written.size() + written.size() / 4);
  std::size_t from = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string placeholder = "\r\nX-TW-" + std::to_string(i + 1) + ":1\r\n";
    // (Its leading line break may be the end of the line put in before.)
    const std::size_t at = written.find(placeholder, from >= 2 ? from - 2 : 0);
    if (at == std::string::npos) continue;
    out.append(written, from, at + 2 - from).append(lines[i]);
    from = at + placeholder.size();
  }
  return out.append(written, from);
}

std::string IcalObject::text(icalcomponent* c, icalproperty_kind kind) {
  icalproperty* p = icalcomponent_get_first_property(c, kind);
  icalvalue* v = p ? icalproperty_get_value(p) : nullptr;
  if (!v) return {};
  const char* text = icalvalue_isa(v) == ICAL_X_VALUE ? icalvalue_get_x(v) : icalvalue_get_text(v);
  return text ? text : "";
}

void IcalObject::setText(icalcomponent* c, icalproperty_kind kind, const std::string& value) {
  removeAll(c, kind);
  if (value.empty()) return;
  icalproperty* p = icalproperty_new(kind);
  icalproperty_set_value(p, icalvalue_new_text(value.c_str()));
  icalcomponent_add_property(c, p);
}

void IcalObject::removeAll(icalcomponent* c, icalproperty_kind kind) {
  while (icalproperty* p = icalcomponent_get_first_property(c, kind)) {
    icalcomponent_remove_property(c, p);
    icalproperty_free(p);
  }
}

std::vector<std::string> IcalObject::xValues(icalcomponent* c, const char* name) {
  std::vector<std::string> out;
  for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p;
       p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
    const char* x = icalproperty_get_x_name(p);
    icalvalue* v = icalproperty_get_value(p);
    if (!x || !v || strcasecmp(x, name) != 0) continue;
    const char* text =
        icalvalue_isa(v) == ICAL_X_VALUE ? icalvalue_get_x(v) : icalvalue_as_ical_string(v);
    out.emplace_back(text ? text : "");
  }
  return out;
}

void IcalObject::setX(icalcomponent* c, const char* name, const std::vector<std::string>& values) {
  std::vector<icalproperty*> old;
  for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p;
       p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY))
    if (icalproperty_get_x_name(p) && strcasecmp(icalproperty_get_x_name(p), name) == 0)
      old.push_back(p);
  for (icalproperty* p : old) {
    icalcomponent_remove_property(c, p);
    icalproperty_free(p);
  }
  for (const std::string& value : values) {
    icalproperty* p = icalproperty_new_x(value.c_str());
    icalproperty_set_x_name(p, name);
    icalcomponent_add_property(c, p);
  }
}

}  // namespace tw
