#include "sync/ItemKind.h"

#include "sync/ServerText.h"
#include "sync/SyncError.h"

namespace tw {

ItemKind::Item ItemKind::parse(const std::string& ical) const {
  const IcalObject object = IcalObject::parse(ical);
  icalcomponent* c = object.item(component());
  if (!c) throw SyncError(std::string("it holds no ") + icalcomponent_kind_to_string(component()));
  const char* uid = icalcomponent_get_uid(c);
  if (!uid || !*uid) throw SyncError("it has no UID");
  return {uid, read(c)};
}

std::string ItemKind::describe(const std::string& uid, const std::string& ical) const {
  try {
    return describe(parse(ical).fields);
  } catch (const SyncError&) {
    return std::string(noun()) + " " + ServerText::oneLine(uid);
  }
}

IcalObject ItemKind::build(const std::string& uid, const Fields& fields, const std::string& base,
                           Instant now) const {
  std::optional<IcalObject> object;
  if (!base.empty()) {
    object = IcalObject::parse(base);
    if (!object->item(component())) object.reset();
  }
  if (!object) object = IcalObject::create(component());
  icalcomponent* c = object->item(component());
  const std::optional<Fields> before = base.empty() ? std::nullopt : readable(c);
  icalcomponent_set_uid(c, uid.c_str());
  const icaltimetype stamp = icaltime_from_timet_with_zone(static_cast<time_t>(now.unixSeconds()),
                                                           0, icaltimezone_get_utc_timezone());
  icalcomponent_set_dtstamp(c, stamp);
  write(fields, c, now);
  if (before == fields) return std::move(*object);
  IcalObject::removeAll(c, ICAL_LASTMODIFIED_PROPERTY);
  icalcomponent_add_property(c, icalproperty_new_lastmodified(stamp));
  if (!icalcomponent_get_first_property(c, ICAL_CREATED_PROPERTY))
    icalcomponent_add_property(c, icalproperty_new_created(stamp));
  bool shownChanged = false;
  for (std::size_t i = 0; before && i < fields.size(); ++i)
    shownChanged = shownChanged || (isShown(i) && (*before)[i] != fields[i]);
  if (shownChanged) icalcomponent_set_sequence(c, icalcomponent_get_sequence(c) + 1);
  return std::move(*object);
}

// The kinds of one collection (the time log) have nothing elsewhere and nothing to place.
bool ItemKind::isElsewhere(JournalStore&, const SyncState::Item&) const {
  return false;
}

void ItemKind::place(JournalStore&, const std::string&) const {}

std::optional<ItemKind::Fields> ItemKind::readable(icalcomponent* c) const {
  try {
    return read(c);
  } catch (const SyncError&) {
    return std::nullopt;
  }
}

std::uint64_t ItemKind::digest(const Fields& fields) {
  // FNV-1a over the fields, each followed by a separator no text holds.
  std::uint64_t h = 14695981039346656037ull;
  const auto mix = [&h](unsigned char c) {
    h ^= c;
    h *= 1099511628211ull;
  };
  for (const std::string& f : fields) {
    for (char c : f) mix(static_cast<unsigned char>(c));
    mix(0xff);
  }
  return h == 0 ? 1 : h;
}

}  // namespace tw
