#pragma once

#include <libical/ical.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Instant.h"
#include "store/JournalStore.h"
#include "store/SyncState.h"
#include "sync/IcalObject.h"

namespace tw {

// What the synchronisation needs to know of one kind of item (tasks, journal entries): its
// fields as texts in a fixed order, how they are read from and written to the store and to
// an iCalendar component. The fields are what is merged and compared; nothing else of an item
// travels.
class ItemKind {
 public:
  using Fields = std::vector<std::string>;

  struct Item {
    std::string uid;
    Fields fields;
  };

  virtual ~ItemKind() = default;

  virtual SyncState::Kind kind() const = 0;
  virtual icalcomponent_kind component() const = 0;
  // For people: "task", "journal entry".
  virtual const char* noun() const = 0;
  virtual const std::vector<const char*>& fieldNames() const = 0;
  // Whether calendar programs show the field (times, the summary): a change to it raises the
  // object's SEQUENCE.
  virtual bool isShown(std::size_t field) const = 0;

  // For people, on one line: "task “Write”", "journal entry “Layout” of 6/3/2024 9:00:00 AM".
  virtual std::string describe(const Fields& fields) const = 0;
  // The same of an iCalendar object's item; the noun and uid when it cannot be read.
  std::string describe(const std::string& uid, const std::string& ical) const;

  // Every local item of the kind, one at a time.
  virtual void visitLocals(JournalStore& store, const std::function<void(Item&)>& visit) const = 0;
  virtual std::optional<Fields> local(JournalStore& store, std::string_view uid) const = 0;
  // Adds the item, or changes the stored item of that uid.
  virtual void store(JournalStore& store, const std::string& uid, const Fields& fields) const = 0;
  // Deletes the item; false when it has to stay (a task journal entries were timed for, the
  // entry being timed).
  virtual bool remove(JournalStore& store, std::string_view uid) const = 0;
  // Whether the item of the row (the local one, else the row's copy on the server) belongs to
  // another collection of the kind than the one synchronised (another task list): it is left
  // to that one.
  virtual bool isElsewhere(JournalStore& store, const SyncState::Item& row) const;
  // The collection synchronised now holds the local item of uid (it took it as new).
  virtual void place(JournalStore& store, const std::string& uid) const;

  // Throws SyncError when the component cannot be such an item.
  virtual Fields read(icalcomponent* c) const = 0;
  // Sets the item's properties on c and leaves the others as they are.
  virtual void write(const Fields& fields, icalcomponent* c, Instant now) const = 0;

  // The item in an iCalendar object's text; throws SyncError when it holds none that can be
  // read.
  Item parse(const std::string& ical) const;
  // The iCalendar object for the item: base (the server's copy, if any) with the item's
  // properties set, so that what other programs added survives. DTSTAMP is now; where the
  // fields differ from base's, LAST-MODIFIED is now too, and SEQUENCE goes up when a field
  // calendar programs show changed.
  IcalObject build(const std::string& uid, const Fields& fields, const std::string& base,
                   Instant now) const;
  std::string serialise(const std::string& uid, const Fields& fields, const std::string& base,
                        Instant now) const {
    return build(uid, fields, base, now).text();
  }
  // The fields of c, or nothing when it holds no such item.
  std::optional<Fields> readable(icalcomponent* c) const;
  // A digest of the fields, never 0.
  static std::uint64_t digest(const Fields& fields);
};

}  // namespace tw
