#include "sync/TaskKind.h"

#include <strings.h>

#include "core/EntryRules.h"
#include "sync/Categories.h"
#include "sync/Href.h"
#include "sync/IcalObject.h"
#include "sync/ServerText.h"
#include "sync/SyncError.h"

namespace tw {
namespace {

constexpr const char* kStatusX = "X-TALLYWORKS-STATUS";

TaskStatus statusOf(const std::string& field) {
  const int n = field.empty() ? 0 : std::stoi(field);
  return static_cast<TaskStatus>(n < 0 || n > 4 ? 0 : n);
}

std::string fieldOf(TaskStatus s) {
  return std::to_string(static_cast<int>(s));
}

// ICAL_STATUS_NONE when there is no STATUS (icalcomponent_get_status gives 0 then).
icalproperty_status statusProperty(icalcomponent* c) {
  icalproperty* p = icalcomponent_get_first_property(c, ICAL_STATUS_PROPERTY);
  return p ? icalproperty_get_status(p) : ICAL_STATUS_NONE;
}

bool isComplete(icalcomponent* c, icalproperty_status status) {
  if (status == ICAL_STATUS_COMPLETED || status == ICAL_STATUS_CANCELLED) return true;
  if (status != ICAL_STATUS_NONE) return false;
  icalproperty* percent = icalcomponent_get_first_property(c, ICAL_PERCENTCOMPLETE_PROPERTY);
  return icalcomponent_get_first_property(c, ICAL_COMPLETED_PROPERTY) ||
         (percent && icalproperty_get_percentcomplete(percent) >= 100);
}

TaskStatus readStatus(icalcomponent* c) {
  const icalproperty_status status = statusProperty(c);
  if (isComplete(c, status)) return TaskStatus::Complete;
  const std::vector<std::string> x = IcalObject::xValues(c, kStatusX);
  const bool says = !x.empty();
  if (status == ICAL_STATUS_INPROCESS)
    return says && strcasecmp(x.front().c_str(), "waiting") == 0 ? TaskStatus::Waiting
                                                                 : TaskStatus::InProgress;
  return says && strcasecmp(x.front().c_str(), "deferred") == 0 ? TaskStatus::Deferred
                                                                : TaskStatus::NotStarted;
}

void writeCompletion(icalcomponent* c, bool complete, Instant now) {
  icalproperty* percent = icalcomponent_get_first_property(c, ICAL_PERCENTCOMPLETE_PROPERTY);
  if (!complete) {
    IcalObject::removeAll(c, ICAL_COMPLETED_PROPERTY);
    if (percent && icalproperty_get_percentcomplete(percent) >= 100)
      IcalObject::removeAll(c, ICAL_PERCENTCOMPLETE_PROPERTY);
    return;
  }
  if (!icalcomponent_get_first_property(c, ICAL_COMPLETED_PROPERTY))
    icalcomponent_add_property(
        c, icalproperty_new_completed(icaltime_from_timet_with_zone(
               static_cast<time_t>(now.unixSeconds()), 0, icaltimezone_get_utc_timezone())));
  IcalObject::removeAll(c, ICAL_PERCENTCOMPLETE_PROPERTY);
  icalcomponent_add_property(c, icalproperty_new_percentcomplete(100));
}

}  // namespace

const std::vector<const char*>& TaskKind::fieldNames() const {
  static const std::vector<const char*> kNames{"subject", "categories", "status"};
  return kNames;
}

bool TaskKind::isShown(std::size_t field) const {
  return field == kSubject;
}

std::string TaskKind::describe(const Fields& fields) const {
  return "task “" + ServerText::oneLine(fields[kSubject], 80) + "”";
}

bool TaskKind::isOurs(const Task& task) const {
  return list_.empty() || task.list == list_ || (isDefault_ && task.list.empty());
}

void TaskKind::visitLocals(JournalStore& store, const std::function<void(Item&)>& visit) const {
  for (const Task& t : store.tasks()) {
    if (!isOurs(t)) continue;
    Item item{t.uid, {t.subject, t.categories, fieldOf(t.status)}};
    visit(item);
  }
}

std::optional<ItemKind::Fields> TaskKind::local(JournalStore& store, std::string_view uid) const {
  const std::optional<Task> t = store.taskByUid(uid);
  if (!t) return std::nullopt;
  return Fields{t->subject, t->categories, fieldOf(t->status)};
}

void TaskKind::store(JournalStore& store, const std::string& uid, const Fields& fields) const {
  std::optional<Task> t = store.taskByUid(uid);
  Task task = t ? *t : Task{};
  task.uid = uid;
  task.subject = fields[kSubject];
  task.categories = fields[kCategories];
  task.status = statusOf(fields[kStatus]);
  if (!list_.empty()) task.list = list_;
  if (t)
    store.updateTask(task);
  else
    store.addTask(task);
}

bool TaskKind::remove(JournalStore& store, std::string_view uid) const {
  const std::optional<Task> t = store.taskByUid(uid);
  if (!t) return true;
  if (store.entriesOfTask(t->id) > 0) return false;
  store.deleteTask(t->id);
  return true;
}

bool TaskKind::isElsewhere(JournalStore& store, const SyncState::Item& row) const {
  if (list_.empty()) return false;
  if (const std::optional<Task> t = store.taskByUid(row.uid)) return !isOurs(*t);
  return !row.href.empty() && !Href::isMember(Href::path(list_), row.href);
}

void TaskKind::place(JournalStore& store, const std::string& uid) const {
  std::optional<Task> t = store.taskByUid(uid);
  if (!t || list_.empty() || t->list == list_) return;
  t->list = list_;
  store.updateTask(*t);
}

ItemKind::Fields TaskKind::read(icalcomponent* c) const {
  Fields fields{IcalObject::text(c, ICAL_SUMMARY_PROPERTY), Categories::read(c),
                fieldOf(readStatus(c))};
  if (const std::string why = EntryRules::whyInvalidTask(fields[kSubject], fields[kCategories]);
      !why.empty())
    throw SyncError(why);
  return fields;
}

void TaskKind::write(const Fields& fields, icalcomponent* c, Instant now) const {
  IcalObject::setText(c, ICAL_SUMMARY_PROPERTY, fields[kSubject]);
  Categories::write(fields[kCategories], c);
  const TaskStatus status = statusOf(fields[kStatus]);
  const bool keepStatus = readStatus(c) == status && statusProperty(c) != ICAL_STATUS_NONE;
  if (!keepStatus) {
    icalproperty_status s = ICAL_STATUS_NEEDSACTION;
    if (status == TaskStatus::InProgress || status == TaskStatus::Waiting)
      s = ICAL_STATUS_INPROCESS;
    if (status == TaskStatus::Complete) s = ICAL_STATUS_COMPLETED;
    icalcomponent_set_status(c, s);
  }
  writeCompletion(c, status == TaskStatus::Complete, now);
  if (status == TaskStatus::Waiting)
    IcalObject::setX(c, kStatusX, {"waiting"});
  else if (status == TaskStatus::Deferred)
    IcalObject::setX(c, kStatusX, {"deferred"});
  else
    IcalObject::setX(c, kStatusX, {});
}

}  // namespace tw
