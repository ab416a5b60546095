#include "sync/ItemKind.h"

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

IcalObject ItemKind::build(const std::string& uid, const Fields& fields, const std::string& base,
                           Instant now) const {
  std::optional<IcalObject> object;
  if (!base.empty()) {
    object = IcalObject::parse(base);
    if (!object->item(component())) object.reset();
  }
  if (!object) object = IcalObject::create(component());
  icalcomponent* c = object->item(component());
  icalcomponent_set_uid(c, uid.c_str());
  icalcomponent_set_dtstamp(c, icaltime_from_timet_with_zone(static_cast<time_t>(now.unixSeconds()),
                                                             0, icaltimezone_get_utc_timezone()));
  write(fields, c, now);
  return std::move(*object);
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
