#pragma once

#include "sync/ItemKind.h"

namespace tw {

// Tasks as VTODOs: SUMMARY, CATEGORIES and STATUS. Our five statuses map to the three of
// iCalendar (complete also sets COMPLETED and PERCENT-COMPLETE:100, since programs read
// different ones); waiting and deferred add X-TALLYWORKS-STATUS, which is trusted only while
// it still agrees with STATUS. CANCELLED reads as complete.
class TaskKind : public ItemKind {
 public:
  enum Field { kSubject, kCategories, kStatus };

  SyncState::Kind kind() const override { return SyncState::Kind::Task; }
  icalcomponent_kind component() const override { return ICAL_VTODO_COMPONENT; }
  const char* noun() const override { return "task"; }
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
};

}  // namespace tw
