#pragma once

#include "sync/ItemKind.h"

namespace tw {

// Journal entries and work markers as VEVENTs of the time log: DTSTART and DTEND in UTC (a
// marker has no DTEND: zero length), SUMMARY, CATEGORIES, DESCRIPTION, RELATED-TO the task's
// UID, TRANSP:TRANSPARENT, and X-TALLYWORKS-TYPE, -MINUTES, -SECONDS, -UTC-OFFSET and one
// X-TALLYWORKS-COMPANY per company ("ACME; Globex" is two). The length is read from DTEND (or
// DURATION), so it follows when another program moves the end; the UTC offset keeps the local
// time the entry was recorded at. As VJOURNALs (for files only) the length is in
// X-TALLYWORKS-SECONDS.
class EntryKind : public ItemKind {
 public:
  enum Field {
    kSubject,
    kStart,
    kUtcOffset,
    kSeconds,
    kCategories,
    kType,
    kCompanies,
    kBody,
    kTaskUid
  };

  explicit EntryKind(icalcomponent_kind component = ICAL_VEVENT_COMPONENT)
      : component_(component) {}

  SyncState::Kind kind() const override { return SyncState::Kind::Entry; }
  icalcomponent_kind component() const override { return component_; }
  const char* noun() const override { return "journal entry"; }
  const std::vector<const char*>& fieldNames() const override;
  bool isShown(std::size_t field) const override;
  std::string describe(const Fields& fields) const override;
  using ItemKind::describe;

  void visitLocals(JournalStore& store, const std::function<void(Item&)>& visit) const override;
  std::optional<Fields> local(JournalStore& store, std::string_view uid) const override;
  void store(JournalStore& store, const std::string& uid, const Fields& fields) const override;
  bool remove(JournalStore& store, std::string_view uid) const override;

  Fields read(icalcomponent* c) const override;
  void write(const Fields& fields, icalcomponent* c, Instant now) const override;

  static Fields fieldsOf(const JournalEntry& e);
  static JournalEntry entryOf(const Fields& fields);

 private:
  icalcomponent_kind component_;
};

}  // namespace tw
