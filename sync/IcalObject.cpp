#include "sync/IcalObject.h"

#include <strings.h>

#include <string_view>

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

// This libical writes the values of X- properties without escaping commas and semicolons, and
// some servers cut such a value at its first comma. The X- properties without parameters are
// swapped, in order, for short placeholder lines, and their lines are written here.
void swapOutXValues(icalcomponent* c, std::vector<std::string>& lines) {
  std::vector<icalproperty*> swapped;
  for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p;
       p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
    icalvalue* v = icalproperty_get_value(p);
    const char* text = v && icalvalue_isa(v) == ICAL_X_VALUE ? icalvalue_get_x(v) : nullptr;
    if (text && icalproperty_count_parameters(p) == 0) swapped.push_back(p);
  }
  for (icalproperty* p : swapped) {
    lines.push_back(folded(std::string(icalproperty_get_x_name(p)) + ":" +
                           escaped(icalvalue_get_x(icalproperty_get_value(p)))));
    icalproperty* placeholder = icalproperty_new_x("1");
    icalproperty_set_x_name(placeholder, ("X-TW-" + std::to_string(lines.size())).c_str());
    icalcomponent_add_property(c, placeholder);
    icalcomponent_remove_property(c, p);
    icalproperty_free(p);
  }
  for (icalcomponent* s = icalcomponent_get_first_component(c, ICAL_ANY_COMPONENT); s;
       s = icalcomponent_get_next_component(c, ICAL_ANY_COMPONENT))
    swapOutXValues(s, lines);
}

bool isException(icalcomponent* c) {
  return icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY) != nullptr;
}

}  // namespace

IcalObject IcalObject::parse(const std::string& text) {
  icalcomponent* root = icalparser_parse_string(text.c_str());
  if (!root) throw SyncError("not an iCalendar object");
  IcalObject object(root);
  const icalcomponent_kind kind = icalcomponent_isa(root);
  if (kind != ICAL_VCALENDAR_COMPONENT && kind != ICAL_XROOT_COMPONENT)
    throw SyncError("not an iCalendar object (no VCALENDAR)");
  return object;
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
  std::unique_ptr<icalcomponent, void (*)(icalcomponent*)> copy(
      icalcomponent_new_clone(root_.get()), icalcomponent_free);
  std::vector<std::string> lines;
  swapOutXValues(copy.get(), lines);
  char* text = icalcomponent_as_ical_string_r(copy.get());
  std::string out(text ? text : "");
  icalmemory_free_buffer(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string placeholder = "\r\nX-TW-" + std::to_string(i + 1) + ":1\r\n";
    const std::size_t at = out.find(placeholder);
    if (at != std::string::npos) out.replace(at + 2, placeholder.size() - 2, lines[i]);
  }
  return out;
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
