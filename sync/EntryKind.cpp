#include "sync/EntryKind.h"

#include <charconv>
#include <cstdlib>

#include "core/DateTimeError.h"
#include "core/EntryRules.h"
#include "core/TimeZone.h"
#include "sync/Categories.h"
#include "sync/IcalObject.h"
#include "sync/SyncError.h"

namespace tw {
namespace {

constexpr const char* kTypeX = "X-TALLYWORKS-TYPE";
constexpr const char* kMinutesX = "X-TALLYWORKS-MINUTES";
constexpr const char* kSecondsX = "X-TALLYWORKS-SECONDS";
constexpr const char* kOffsetX = "X-TALLYWORKS-UTC-OFFSET";
constexpr const char* kCompanyX = "X-TALLYWORKS-COMPANY";
constexpr std::string_view kCompanySeparator = "; ";
constexpr std::int64_t kMaxOffset = 18 * 3600;

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

Instant instantOf(icaltimetype t) {
  // libical would roll February 30 over into March and hour 99 into later days.
  const std::string why = DateTime::whyInvalid(t.year, t.month, t.day, t.is_date ? 0 : t.hour,
                                               t.is_date ? 0 : t.minute, t.is_date ? 0 : t.second);
  if (!why.empty()) throw SyncError("its time cannot be read: " + why);
  if (t.zone) return Instant::fromUnix(icaltime_as_timet_with_zone(t, t.zone));
  // A floating time or a date: the wall clock of this machine.
  try {
    return TimeZone::fromLocal(DateTime::fromParts(t.year, t.month, t.day, t.is_date ? 0 : t.hour,
                                                   t.is_date ? 0 : t.minute,
                                                   t.is_date ? 0 : t.second));
  } catch (const DateTimeError& e) {
    throw SyncError(std::string("its time cannot be read: ") + e.what());
  }
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
  const Instant from = instantOf(start);
  std::int64_t seconds = number(IcalObject::xValues(c, kSecondsX)).value_or(0);
  if (icalcomponent_get_first_property(c, ICAL_DTEND_PROPERTY) ||
      icalcomponent_get_first_property(c, ICAL_DURATION_PROPERTY))
    seconds = instantOf(icalcomponent_get_dtend(c)).secondsSince(from);
  std::optional<std::int64_t> offset = number(IcalObject::xValues(c, kOffsetX));
  if (!offset || std::llabs(*offset) > kMaxOffset) offset = TimeZone::offsetAt(from);
  const std::vector<std::string> type = IcalObject::xValues(c, kTypeX);
  Fields fields{IcalObject::text(c, ICAL_SUMMARY_PROPERTY),
                std::to_string(from.unixSeconds()),
                std::to_string(*offset),
                std::to_string(std::max<std::int64_t>(0, seconds)),
                Categories::read(c),
                type.empty() ? std::string() : type.front(),
                joined(IcalObject::xValues(c, kCompanyX), kCompanySeparator),
                IcalObject::text(c, ICAL_DESCRIPTION_PROPERTY),
                taskUidOf(c)};
  if (const std::string why = EntryRules::whyInvalid(entryOf(fields)); !why.empty())
    throw SyncError(why);
  return fields;
}

void EntryKind::write(const Fields& f, icalcomponent* c, Instant) const {
  const JournalEntry e = entryOf(f);
  IcalObject::setText(c, ICAL_SUMMARY_PROPERTY, e.subject);
  IcalObject::setText(c, ICAL_DESCRIPTION_PROPERTY, e.body);
  Categories::write(e.categories, c);
  IcalObject::removeAll(c, ICAL_DTSTART_PROPERTY);
  IcalObject::removeAll(c, ICAL_DTEND_PROPERTY);
  IcalObject::removeAll(c, ICAL_DURATION_PROPERTY);
  icalcomponent_add_property(c, icalproperty_new_dtstart(utc(e.start.unixSeconds())));
  if (component_ == ICAL_VEVENT_COMPONENT) {
    if (e.seconds > 0)
      icalcomponent_add_property(c, icalproperty_new_dtend(utc(e.start.unixSeconds() + e.seconds)));
    IcalObject::removeAll(c, ICAL_TRANSP_PROPERTY);
    icalcomponent_add_property(c, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
  }
  writeTaskUid(c, e.taskUid);
  IcalObject::setX(c, kTypeX, e.type.empty() ? std::vector<std::string>() : std::vector{e.type});
  IcalObject::setX(c, kMinutesX, {std::to_string(e.minutes())});
  IcalObject::setX(c, kSecondsX, {std::to_string(e.seconds)});
  IcalObject::setX(c, kOffsetX, {std::to_string(e.utcOffset)});
  IcalObject::setX(c, kCompanyX, split(e.companies, kCompanySeparator));
}

}  // namespace tw
