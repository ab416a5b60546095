#pragma once

#include <string>

#include "sync/ItemKind.h"

namespace tw {

// Tasks as VTODOs: SUMMARY, CATEGORIES and STATUS. Our five statuses map to the three of
// iCalendar (complete also sets COMPLETED and PERCENT-COMPLETE:100, since programs read
// different ones); waiting and deferred add X-TALLYWORKS-STATUS, which is trusted only while
// it still agrees with STATUS. CANCELLED reads as complete.
// A TaskKind synchronises one of the server's task lists: it visits the tasks on that list (and,
// for the default list, the tasks on none, which go to it) and puts the tasks it stores and
// places there on it. Without a list it takes every task and keeps each one's list.
class TaskKind : public ItemKind {
 public:
  enum Field { kSubject, kCategories, kStatus };

  TaskKind() = default;
  TaskKind(std::string list, bool isDefault) : list_(std::move(list)), isDefault_(isDefault) {}

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
  bool isElsewhere(JournalStore& store, const SyncState::Item& row) const override;
  void place(JournalStore& store, const std::string& uid) const override;

  Fields read(icalcomponent* c) const override;
  void write(const Fields& fields, icalcomponent* c, Instant now) const override;

 private:
  bool isOurs(const Task& task) const;

  std::string list_;
  bool isDefault_ = false;
};

}  // namespace tw
