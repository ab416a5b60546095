#include "sync/IcalFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include "core/FileWriter.h"
#include "core/SystemClock.h"
#include "sync/EntryKind.h"
#include "sync/IcalObject.h"
#include "sync/SyncError.h"
#include "sync/TaskKind.h"

namespace tw {
namespace {

void addItems(IcalObject& file, const ItemKind& kind, const std::vector<ItemKind::Item>& items,
              SyncState& state, Instant now) {
  for (const ItemKind::Item& item : items) {
    const std::optional<SyncState::Item> row = state.item(kind.kind(), item.uid);
    IcalObject one = kind.build(item.uid, item.fields, row ? row->ical : "", now);
    file.take(one.item(kind.component()));
  }
}

std::string readWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw SyncError("cannot read " + path + ": " + std::strerror(errno));
  // A folder opens as a file that fails on the first read.
  if (std::filesystem::is_directory(path)) throw SyncError(path + " is a folder, not a file");
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The component alone in a VCALENDAR, with the time zones its times may name.
std::string standalone(icalcomponent* calendar, icalcomponent* c) {
  IcalObject one = IcalObject::create();
  for (icalcomponent* z = icalcomponent_get_first_component(calendar, ICAL_VTIMEZONE_COMPONENT); z;
       z = icalcomponent_get_next_component(calendar, ICAL_VTIMEZONE_COMPONENT))
    one.take(icalcomponent_new_clone(z));
  one.take(icalcomponent_new_clone(c));
  return one.text();
}

void importOne(JournalStore& store, SyncState& state, const ItemKind& kind, icalcomponent* calendar,
               icalcomponent* c, IcalFile::ImportResult& result) {
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
  const std::optional<SyncState::Item> row = state.item(kind.kind(), uid);
  if (!row || row->href.empty())
    state.putItem({kind.kind(), uid, {}, {}, standalone(calendar, c), 0});
}

}  // namespace

std::string IcalFile::ImportResult::summary() const {
  std::string text = "added " + std::to_string(added) + ", updated " + std::to_string(updated) +
                     ", unchanged " + std::to_string(unchanged);
  if (ignored > 0) text += ", " + std::to_string(ignored) + " other components ignored";
  if (unparsable > 0) text += ", " + std::to_string(unparsable) + " unreadable skipped";
  return text;
}

IcalFile::Export IcalFile::compose(JournalStore& store, SyncState& state,
                                   const ExportOptions& options) {
  const Instant now = SystemClock().now();
  IcalObject file = IcalObject::create();
  std::vector<ItemKind::Item> tasks;
  const TaskKind taskKind;
  if (options.tasks)
    taskKind.visitLocals(store, [&](ItemKind::Item& t) { tasks.push_back(std::move(t)); });
  std::vector<ItemKind::Item> entries;
  store.readEntries(
      options.from.value_or(Instant::fromUnix(std::numeric_limits<std::int64_t>::min())),
      options.until.value_or(Instant::fromUnix(std::numeric_limits<std::int64_t>::max())),
      [&](JournalStore::EntryBatch batch) {
        for (const JournalEntry& e : batch) entries.push_back({e.uid, EntryKind::fieldsOf(e)});
      });
  addItems(file, taskKind, tasks, state, now);
  addItems(file, EntryKind(options.asJournal ? ICAL_VJOURNAL_COMPONENT : ICAL_VEVENT_COMPONENT),
           entries, state, now);
  return {file.text(), static_cast<int>(tasks.size() + entries.size())};
}

int IcalFile::write(JournalStore& store, SyncState& state, const std::string& path,
                    const ExportOptions& options) {
  const Export exported = compose(store, state, options);
  FileWriter::writeWhole(path, exported.text, FileWriter::Targets::FilesAndStreams);
  return exported.items;
}

IcalFile::ImportResult IcalFile::read(JournalStore& store, SyncState& state,
                                      const std::string& path) {
  std::optional<IcalObject> file;
  try {
    file = IcalObject::parse(readWhole(path));
  } catch (const SyncError& e) {
    throw SyncError(path + " is not an iCalendar file: " + e.what());
  }
  const TaskKind tasks;
  const EntryKind events;
  const EntryKind journals(ICAL_VJOURNAL_COMPONENT);
  ImportResult result;
  store.transact([&] {
    for (icalcomponent* calendar : file->calendars()) {
      // (Reading an item walks its calendar's components too, so the walk is done first.)
      std::vector<icalcomponent*> components;
      for (icalcomponent* c = icalcomponent_get_first_component(calendar, ICAL_ANY_COMPONENT); c;
           c = icalcomponent_get_next_component(calendar, ICAL_ANY_COMPONENT))
        components.push_back(c);
      for (icalcomponent* c : components) {
        const icalcomponent_kind kind = icalcomponent_isa(c);
        const ItemKind* item = nullptr;
        if (kind == ICAL_VTODO_COMPONENT) item = &tasks;
        if (kind == ICAL_VEVENT_COMPONENT) item = &events;
        if (kind == ICAL_VJOURNAL_COMPONENT) item = &journals;
        if (kind == ICAL_VTIMEZONE_COMPONENT) continue;
        if (!item || icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY))
          ++result.ignored;
        else
          importOne(store, state, *item, calendar, c, result);
      }
    }
  });
  return result;
}

}  // namespace tw
