#include "sync/EntryKind.h"

#include <charconv>
#include <cstdlib>

#include "core/DateText.h"
#include "core/DateTimeError.h"
#include "core/TimeZone.h"
#include "sync/Categories.h"
#include "sync/IcalObject.h"
#include "sync/ServerText.h"
#include "sync/SyncError.h"

namespace tw {
namespace {

constexpr const char* kTypeX = "X-TALLYWORKS-TYPE";
constexpr const char* kMinutesX = "X-TALLYWORKS-MINUTES";
constexpr const char* kSecondsX = "X-TALLYWORKS-SECONDS";
constexpr const char* kOffsetX = "X-TALLYWORKS-UTC-OFFSET";
// The DTSTART (in UTC) the offset was recorded with: the offset holds while DTSTART still names
// that instant.
constexpr const char* kOffsetStartX = "X-TALLYWORKS-START";
constexpr const char* kCompanyX = "X-TALLYWORKS-COMPANY";
constexpr std::string_view kCompanySeparator = "; ";
constexpr std::int64_t kMaxOffset = 18 * 3600;
// How an event of no length is written: some servers refuse an end that is not after the start
// (and DURATION:PT0S), so it ends a second later; X-TALLYWORKS-SECONDS:0 tells it apart from
// an entry of one second.
constexpr std::int64_t kZeroLength = 1;

std::optional<std::int64_t> number(const std::vector<std::string>& values) {
  std::int64_t n = 0;
  if (values.empty()) return std::nullopt;
  const std::string& v = values.front();
  const auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), n);
  if (error != std::errc() || end != v.data() + v.size()) return std::nullopt;
  return n;
}

std::int64_t integer(const std::string& field) {
  return field.empty() ? 0 : std::strtoll(field.c_str(), nullptr, 10);
}

// The instant a DTSTART or DTEND names, and the UTC offset it is read with: for a UTC time the
// machine's offset at that instant, for a time of a time zone that zone's, and for a floating
// time or a date the wall clock of this machine.
TimeZone::Reading readingOf(icaltimetype t) {
  try {
    if (t.zone && !icaltime_is_utc(t)) {
      int daylight = 0;
      const std::int64_t offset =
          icaltimezone_get_utc_offset(const_cast<icaltimezone*>(t.zone), &t, &daylight);
      return {Instant::fromUnix(icaltime_as_timet_with_zone(t, t.zone)),
              static_cast<std::int32_t>(offset)};
    }
    if (t.zone) {
      const Instant at = Instant::fromUnix(icaltime_as_timet_with_zone(t, t.zone));
      return {at, TimeZone::offsetAt(at)};
    }
    return TimeZone::resolve(DateTime::fromParts(t.year, t.month, t.day, t.is_date ? 0 : t.hour,
                                                 t.is_date ? 0 : t.minute,
                                                 t.is_date ? 0 : t.second));
  } catch (const DateTimeError& e) {
    throw SyncError(std::string("its time cannot be read: ") + e.what());
  }
}

std::optional<Instant> utcText(const std::vector<std::string>& values) {
  if (values.empty()) return std::nullopt;
  const icaltimetype t = icaltime_from_string(values.front().c_str());
  if (icaltime_is_null_time(t) || !icaltime_is_valid_time(t) || !icaltime_is_utc(t))
    return std::nullopt;
  return Instant::fromUnix(icaltime_as_timet_with_zone(t, icaltimezone_get_utc_timezone()));
}

icaltimetype utc(std::int64_t seconds) {
  return icaltime_from_timet_with_zone(static_cast<time_t>(seconds), 0,
                                       icaltimezone_get_utc_timezone());
}

bool isParent(icalproperty* related) {
  icalparameter* type = icalproperty_get_first_parameter(related, ICAL_RELTYPE_PARAMETER);
  return !type || icalparameter_get_reltype(type) == ICAL_RELTYPE_PARENT;
}

std::string taskUidOf(icalcomponent* c) {
  for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_RELATEDTO_PROPERTY); p;
       p = icalcomponent_get_next_property(c, ICAL_RELATEDTO_PROPERTY))
    if (isParent(p) && icalproperty_get_relatedto(p)) return icalproperty_get_relatedto(p);
  return {};
}

void writeTaskUid(icalcomponent* c, const std::string& uid) {
  std::vector<icalproperty*> parents;
  for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_RELATEDTO_PROPERTY); p;
       p = icalcomponent_get_next_property(c, ICAL_RELATEDTO_PROPERTY))
    if (isParent(p)) parents.push_back(p);
  for (icalproperty* p : parents) {
    icalcomponent_remove_property(c, p);
    icalproperty_free(p);
  }
  if (!uid.empty()) icalcomponent_add_property(c, icalproperty_new_relatedto(uid.c_str()));
}

std::vector<std::string> split(std::string_view text, std::string_view separator) {
  std::vector<std::string> out;
  if (text.empty()) return out;
  for (;;) {
    const std::size_t at = text.find(separator);
    out.emplace_back(text.substr(0, at));
    if (at == std::string_view::npos) return out;
    text.remove_prefix(at + separator.size());
  }
}

std::string joined(const std::vector<std::string>& parts, std::string_view separator) {
  std::string out;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += separator;
    out += parts[i];
  }
  return out;
}

}  // namespace

const std::vector<const char*>& EntryKind::fieldNames() const {
  static const std::vector<const char*> kNames{"subject",   "start",       "UTC offset",
                                               "length",    "categories",  "type",
                                               "companies", "description", "task"};
  return kNames;
}

bool EntryKind::isShown(std::size_t field) const {
  return field == kSubject || field == kStart || field == kSeconds;
}

std::string EntryKind::describe(const Fields& fields) const {
  const JournalEntry e = entryOf(fields);
  std::string when;
  try {
    when = " of " + DateText::generalDate(e.localStart());
  } catch (const DateTimeError&) {
    when = " (its start is out of range)";
  }
  return "journal entry “" + ServerText::oneLine(e.subject, 80) + "”" + when;
}

ItemKind::Fields EntryKind::fieldsOf(const JournalEntry& e) {
  return {e.subject,
          std::to_string(e.start.unixSeconds()),
          std::to_string(e.utcOffset),
          std::to_string(e.seconds),
          e.categories,
          e.type,
          e.companies,
          e.body,
          e.taskUid};
}

JournalEntry EntryKind::entryOf(const Fields& f) {
  JournalEntry e;
  e.subject = f[kSubject];
  e.start = Instant::fromUnix(integer(f[kStart]));
  e.utcOffset = static_cast<std::int32_t>(integer(f[kUtcOffset]));
  e.seconds = integer(f[kSeconds]);
  e.categories = f[kCategories];
  e.type = f[kType];
  e.companies = f[kCompanies];
  e.body = f[kBody];
  e.taskUid = f[kTaskUid];
  return e;
}

void EntryKind::visitLocals(JournalStore& store, const std::function<void(Item&)>& visit) const {
  store.visitAll([&](const JournalEntry& e) {
    Item item{e.uid, fieldsOf(e)};
    visit(item);
    return true;
  });
}

std::optional<ItemKind::Fields> EntryKind::local(JournalStore& store, std::string_view uid) const {
  const std::optional<JournalEntry> e = store.entryByUid(uid);
  if (!e) return std::nullopt;
  return fieldsOf(*e);
}

void EntryKind::store(JournalStore& store, const std::string& uid, const Fields& fields) const {
  JournalEntry e = entryOf(fields);
  e.uid = uid;
  store.importEntry(e);
}

bool EntryKind::remove(JournalStore& store, std::string_view uid) const {
  const std::optional<JournalEntry> e = store.entryByUid(uid);
  if (!e) return true;
  if (store.timer().entryId == e->id) return false;
  store.deleteEntry(e->id);
  return true;
}

ItemKind::Fields EntryKind::read(icalcomponent* c) const {
  const icaltimetype start = icalcomponent_get_dtstart(c);
  if (icaltime_is_null_time(start) || !icaltime_is_valid_time(start))
    throw SyncError("it has no start (DTSTART)");
  const TimeZone::Reading from = readingOf(start);
  const std::optional<std::int64_t> savedSeconds = number(IcalObject::xValues(c, kSecondsX));
  std::int64_t seconds = savedSeconds.value_or(0);
  if (icalcomponent_get_first_property(c, ICAL_DTEND_PROPERTY) ||
      icalcomponent_get_first_property(c, ICAL_DURATION_PROPERTY)) {
    seconds = readingOf(icalcomponent_get_dtend(c)).instant.secondsSince(from.instant);
    // A length of zero is written as one second, which every server takes.
    if (seconds == kZeroLength && savedSeconds == 0) seconds = 0;
  }
  // DTSTART is the truth: the recorded offset stands while DTSTART names the instant it was
  // recorded with (in objects of earlier versions, while DTSTART is still in UTC as written).
  std::optional<std::int64_t> offset = number(IcalObject::xValues(c, kOffsetX));
  const std::optional<Instant> recordedAt = utcText(IcalObject::xValues(c, kOffsetStartX));
  const bool agrees = recordedAt
                          ? *recordedAt == from.instant
                          : IcalObject::xValues(c, kOffsetStartX).empty() && icaltime_is_utc(start);
  if (!offset || std::llabs(*offset) > kMaxOffset || !agrees) offset = from.offset;
  const std::vector<std::string> type = IcalObject::xValues(c, kTypeX);
  return {IcalObject::text(c, ICAL_SUMMARY_PROPERTY),
          std::to_string(from.instant.unixSeconds()),
          std::to_string(*offset),
          std::to_string(std::max<std::int64_t>(0, seconds)),
          Categories::read(c),
          type.empty() ? std::string() : type.front(),
          joined(IcalObject::xValues(c, kCompanyX), kCompanySeparator),
          IcalObject::text(c, ICAL_DESCRIPTION_PROPERTY),
          taskUidOf(c)};
}

void EntryKind::write(const Fields& f, icalcomponent* c, Instant) const {
  const JournalEntry e = entryOf(f);
  IcalObject::setText(c, ICAL_SUMMARY_PROPERTY, e.subject);
  IcalObject::setText(c, ICAL_DESCRIPTION_PROPERTY, e.body);
  Categories::write(e.categories, c);
  IcalObject::removeAll(c, ICAL_DTSTART_PROPERTY);
  IcalObject::removeAll(c, ICAL_DTEND_PROPERTY);
  IcalObject::removeAll(c, ICAL_DURATION_PROPERTY);
  const icaltimetype start = utc(e.start.unixSeconds());
  icalcomponent_add_property(c, icalproperty_new_dtstart(start));
  if (component_ == ICAL_VEVENT_COMPONENT) {
    const std::int64_t length = e.seconds > 0 ? e.seconds : kZeroLength;
    icalcomponent_add_property(c, icalproperty_new_dtend(utc(e.start.unixSeconds() + length)));
    IcalObject::removeAll(c, ICAL_TRANSP_PROPERTY);
    icalcomponent_add_property(c, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
  }
  writeTaskUid(c, e.taskUid);
  IcalObject::setX(c, kTypeX, e.type.empty() ? std::vector<std::string>() : std::vector{e.type});
  IcalObject::setX(c, kMinutesX, {std::to_string(e.minutes())});
  IcalObject::setX(c, kSecondsX, {std::to_string(e.seconds)});
  IcalObject::setX(c, kOffsetX, {std::to_string(e.utcOffset)});
  IcalObject::setX(c, kOffsetStartX, {icaltime_as_ical_string(start)});
  IcalObject::setX(c, kCompanyX, split(e.companies, kCompanySeparator));
}

}  // namespace tw
