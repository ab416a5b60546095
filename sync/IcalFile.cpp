#include "sync/IcalFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <set>

#include "core/FileWriter.h"
#include "core/SystemClock.h"
#include "sync/EntryKind.h"
#include "sync/IcalCalendarText.h"
#include "sync/IcalObject.h"
#include "sync/SyncError.h"
#include "sync/TaskKind.h"

namespace tw {
namespace {

// Appends each item's text, and the time zones its server copy holds that are not yet in out.
void addItems(std::string& out, std::set<std::string>& zones, const ItemKind& kind,
              const std::vector<ItemKind::Item>& items, SyncState& state, Instant now) {
  for (const ItemKind::Item& item : items) {
    const std::optional<SyncState::Item> row = state.item(kind.kind(), item.uid);
    const IcalObject one = kind.build(item.uid, item.fields, row ? row->ical : "", now);
    for (icalcomponent* calendar : one.calendars())
      for (icalcomponent* z = icalcomponent_get_first_component(calendar, ICAL_VTIMEZONE_COMPONENT);
           z; z = icalcomponent_get_next_component(calendar, ICAL_VTIMEZONE_COMPONENT))
        if (zones.insert(IcalObject::timeZoneId(z)).second) out += IcalObject::componentText(z);
    out += IcalObject::componentText(one.item(kind.component()));
  }
}

std::string readWhole(const std::string& path) {
  struct stat st {};
  const bool found = stat(path.c_str(), &st) == 0;
  // A folder opens as a file that fails on the first read.
  if (found && S_ISDIR(st.st_mode)) throw SyncError(path + " is a folder, not a file");
  if (found && S_ISREG(st.st_mode) &&
      static_cast<std::uint64_t>(st.st_size) > IcalFile::kMaxFileBytes)
    throw SyncError(path + " is larger than " +
                    std::to_string(IcalFile::kMaxFileBytes / (1024 * 1024)) +
                    " MB, which is refused");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw SyncError("cannot read " + path + ": " + std::strerror(errno));
  std::string text;
  std::array<char, 65536> buffer;
  while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0) {
    if (text.size() + static_cast<std::size_t>(in.gcount()) > IcalFile::kMaxFileBytes)
      throw SyncError(path + " is larger than " +
                      std::to_string(IcalFile::kMaxFileBytes / (1024 * 1024)) +
                      " MB, which is refused");
    text.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) throw SyncError("cannot read " + path + ": " + std::strerror(errno));
  return text;
}

// The TZIDs an item's properties name.
std::set<std::string> zonesNamed(icalcomponent* c) {
  std::set<std::string> out;
  for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_ANY_PROPERTY); p;
       p = icalcomponent_get_next_property(c, ICAL_ANY_PROPERTY))
    if (icalparameter* tz = icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER))
      if (const char* id = icalparameter_get_tzid(tz)) out.insert(id);
  return out;
}

// One VCALENDAR of a file: its time zones in a calendar of their own that each item joins
// while it is read, so that its times find them.
class Calendar {
 public:
  explicit Calendar(const IcalCalendarText& text) : zones_(IcalObject::create()) {
    for (std::string_view z : text.timeZones) {
      std::unique_ptr<icalcomponent, void (*)(icalcomponent*)> zone(nullptr, icalcomponent_free);
      try {
        IcalObject::checkText(z, IcalObject::kMaxObjectBytes);
        zone.reset(icalparser_parse_string(std::string(z).c_str()));
        if (!zone || icalcomponent_isa(zone.get()) != ICAL_VTIMEZONE_COMPONENT)
          throw SyncError("a time zone cannot be read");
        IcalObject::checkTimeZone(zone.get());
      } catch (const SyncError&) {
        ++refused_;
        if (zone) refusedIds_.insert(IcalObject::timeZoneId(zone.get()));
        continue;
      }
      texts_.emplace(IcalObject::timeZoneId(zone.get()), z);
      zones_.take(zone.release());
    }
  }

  // Whether the item's times name a time zone that was refused: they cannot be read then.
  bool namesRefused(icalcomponent* c) const {
    for (const std::string& id : zonesNamed(c))
      if (refusedIds_.count(id)) return true;
    return false;
  }

  // The item's text alone in a VCALENDAR, with the time zones it names.
  std::string standalone(icalcomponent* c, std::string_view text) const {
    std::string out = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tallyworks//Tallyworks//EN\r\n";
    for (const std::string& id : zonesNamed(c)) {
      const auto it = texts_.find(id);
      if (it != texts_.end()) out.append(it->second).append("\r\n");
    }
    return out.append(text).append("\r\nEND:VCALENDAR\r\n");
  }

  // How many of the calendar's time zones were refused.
  int refused() const { return refused_; }
  icalcomponent* root() const { return zones_.calendars().front(); }

 private:
  IcalObject zones_;
  std::map<std::string, std::string_view, std::less<>> texts_;
  std::set<std::string> refusedIds_;
  int refused_ = 0;
};

const ItemKind* kindOf(icalcomponent_kind kind, const ItemKind* const kinds[3]) {
  if (kind == ICAL_VTODO_COMPONENT) return kinds[0];
  if (kind == ICAL_VEVENT_COMPONENT) return kinds[1];
  if (kind == ICAL_VJOURNAL_COMPONENT) return kinds[2];
  return nullptr;
}

// The uids of the kind's items the server has (their rows keep the server's copy).
std::set<std::string> onServer(SyncState& state, const ItemKind& kind) {
  std::set<std::string> out;
  for (const SyncState::Item& row : state.items(kind.kind()))
    if (!row.href.empty()) out.insert(row.uid);
  return out;
}

void importOne(JournalStore& store, SyncState& state, const ItemKind& kind,
               const Calendar& calendar, icalcomponent* c, std::string_view text,
               const std::set<std::string>& synced, IcalFile::ImportResult& result) {
  const char* uidText = icalcomponent_get_uid(c);
  ItemKind::Fields fields;
  try {
    if (!uidText || !*uidText) throw SyncError("it has no UID");
    fields = kind.read(c);
  } catch (const SyncError&) {
    ++result.unparsable;
    return;
  }
  const std::string uid = uidText;
  const std::optional<ItemKind::Fields> local = kind.local(store, uid);
  if (local == fields) {
    ++result.unchanged;
    return;
  }
  kind.store(store, uid, fields);
  ++(local ? result.updated : result.added);
  if (!synced.count(uid))
    state.putItem({kind.kind(), uid, {}, {}, calendar.standalone(c, text), 0});
}

}  // namespace

std::string IcalFile::ImportResult::summary() const {
  std::string text = "added " + std::to_string(added) + ", updated " + std::to_string(updated) +
                     ", unchanged " + std::to_string(unchanged);
  if (ignored > 0) text += ", " + std::to_string(ignored) + " other components ignored";
  if (unparsable > 0) text += ", " + std::to_string(unparsable) + " unreadable skipped";
  if (unusableZones > 0)
    text += ", " + std::to_string(unusableZones) + " unusable time zones ignored";
  return text;
}

IcalFile::Export IcalFile::compose(JournalStore& store, SyncState& state,
                                   const ExportOptions& options) {
  const Instant now = SystemClock().now();
  std::vector<ItemKind::Item> tasks;
  const TaskKind taskKind;
  if (options.tasks)
    taskKind.visitLocals(store, [&](ItemKind::Item& t) { tasks.push_back(std::move(t)); });
  std::vector<ItemKind::Item> entries;
  store.readDays(options.firstDay, options.lastDay, [&](JournalStore::EntryBatch batch) {
    for (const JournalEntry& e : batch) entries.push_back({e.uid, EntryKind::fieldsOf(e)});
  });
  // Written item by item: the file is never one tree in memory.
  std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tallyworks//Tallyworks//EN\r\n";
  std::set<std::string> zones;
  addItems(text, zones, taskKind, tasks, state, now);
  addItems(text, zones,
           EntryKind(options.asJournal ? ICAL_VJOURNAL_COMPONENT : ICAL_VEVENT_COMPONENT), entries,
           state, now);
  return {text + "END:VCALENDAR\r\n", static_cast<int>(tasks.size() + entries.size())};
}

int IcalFile::write(JournalStore& store, SyncState& state, const std::string& path,
                    const ExportOptions& options) {
  const Export exported = compose(store, state, options);
  FileWriter::writeWhole(path, exported.text, FileWriter::Targets::FilesAndStreams);
  return exported.items;
}

IcalFile::ImportResult IcalFile::read(JournalStore& store, SyncState& state,
                                      const std::string& path) {
  const std::string text = readWhole(path);
  std::vector<IcalCalendarText> calendars;
  try {
    IcalObject::checkText(text, kMaxFileBytes);
    calendars = IcalCalendarText::split(text);
  } catch (const SyncError& e) {
    throw SyncError(path + " is not an iCalendar file: " + e.what());
  }
  const TaskKind tasks;
  const EntryKind events;
  const EntryKind journals(ICAL_VJOURNAL_COMPONENT);
  const ItemKind* const kinds[3] = {&tasks, &events, &journals};
  ImportResult result;
  store.transact([&] {
    const std::set<std::string> synced[2] = {onServer(state, tasks), onServer(state, events)};
    for (const IcalCalendarText& calendarText : calendars) {
      const Calendar calendar(calendarText);
      result.unusableZones += calendar.refused();
      for (std::string_view item : calendarText.items) {
        // Each item is bounded as an object from a server is.
        if (item.size() > IcalObject::kMaxObjectBytes) {
          ++result.unparsable;
          continue;
        }
        std::unique_ptr<icalcomponent, void (*)(icalcomponent*)> c(
            icalparser_parse_string(std::string(item).c_str()), icalcomponent_free);
        const ItemKind* kind = c ? kindOf(icalcomponent_isa(c.get()), kinds) : nullptr;
        if (!kind || icalcomponent_get_first_property(c.get(), ICAL_RECURRENCEID_PROPERTY)) {
          ++(c ? result.ignored : result.unparsable);
          continue;
        }
        if (calendar.namesRefused(c.get())) {
          ++result.unparsable;
          continue;
        }
        // Joined to the time zones while it is read.
        icalcomponent_add_component(calendar.root(), c.get());
        importOne(store, state, *kind, calendar, c.get(), item, synced[kind == &tasks ? 0 : 1],
                  result);
        icalcomponent_remove_component(calendar.root(), c.get());
      }
    }
  });
  return result;
}

}  // namespace tw
