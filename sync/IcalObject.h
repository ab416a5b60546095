#pragma once

#include <libical/ical.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// One iCalendar object (RFC 5545) in libical's tree: a VCALENDAR, or several of them read from
// a file. The helpers read and write property values as plain text. text() writes commas and
// semicolons in X- property values escaped, which this libical does not do, so that they
// survive servers that cut such values at the first comma; and a component's CATEGORIES as one
// property with the values separated by commas, as most programs write and some can only read
// (libical reads that form as one property per value).
//
// Texts from servers and files are untrusted: they are checked against bounds before libical
// reads them, and time zones that would make libical work without end are refused.
class IcalObject {
 public:
  static constexpr std::size_t kMaxObjectBytes = 4 * 1024 * 1024;
  // One content line, unfolded.
  static constexpr std::size_t kMaxLineBytes = 1024 * 1024;
  // Components inside components (VCALENDAR, VEVENT, VALARM: 3).
  static constexpr int kMaxDepth = 12;

  // Throws SyncError when the text is no iCalendar object, or is larger than kMaxObjectBytes,
  // or fails checkText or checkTimeZones.
  static IcalObject parse(const std::string& text);
  // Throws SyncError when text is longer than maxBytes, holds a content line longer than
  // kMaxLineBytes or nests components deeper than kMaxDepth.
  static void checkText(std::string_view text, std::size_t maxBytes);
  // Throws SyncError for a VTIMEZONE whose rules repeat more often than yearly or name more
  // changes than real time zones do: libical would expand them for minutes.
  static void checkTimeZone(icalcomponent* vtimezone);
  // The TZID of a VTIMEZONE; "" when it has none.
  static std::string timeZoneId(icalcomponent* vtimezone);
  // Takes the root of a tree libical parsed; throws SyncError when it is null.
  static IcalObject adopt(icalcomponent* root);
  // A VCALENDAR (VERSION, PRODID) holding one empty component of the kind, or none.
  static IcalObject create(icalcomponent_kind kind = ICAL_NO_COMPONENT);

  // The VCALENDARs: this one, or each of a file's.
  std::vector<icalcomponent*> calendars() const;
  // The first component of the kind that is no recurrence exception; null when there is none.
  icalcomponent* item(icalcomponent_kind kind) const;
  std::string text() const;
  // The text of one component (with the components inside it), written as text() writes.
  static std::string componentText(icalcomponent* c);
  // Moves the component (out of its VCALENDAR, if it is in one) into this object's.
  void take(icalcomponent* c);

  // ---- Property values of a component ----
  static std::string text(icalcomponent* c, icalproperty_kind kind);
  // Replaces every property of the kind by one with this text (none when it is empty).
  static void setText(icalcomponent* c, icalproperty_kind kind, const std::string& value);
  static void removeAll(icalcomponent* c, icalproperty_kind kind);
  // The values of an X- property, in order.
  static std::vector<std::string> xValues(icalcomponent* c, const char* name);
  // Replaces every X- property of the name by one per value.
  static void setX(icalcomponent* c, const char* name, const std::vector<std::string>& values);

 private:
  explicit IcalObject(icalcomponent* root) : root_(root, icalcomponent_free) {}

  std::unique_ptr<icalcomponent, void (*)(icalcomponent*)> root_;
};

}  // namespace tw
