#include "tracking/TaskRename.h"

#include <optional>

#include "core/Markers.h"
#include "tracking/TrackingError.h"

namespace tw {

TaskRename TaskRename::apply(JournalStore& store, std::int64_t taskId, const std::string& subject,
                             bool entries) {
  std::optional<TaskRename> done;
  store.transact([&] {
    const std::optional<Task> task = store.task(taskId);
    if (!task) throw TrackingError("The task is no longer in the store");
    done = TaskRename(taskId, task->subject, subject);
    if (entries) {
      store.visitBySubject(task->subject, [&](const JournalEntry& e) {
        const bool ours = e.taskUid == task->uid || e.taskUid.empty();
        if (ours && !Markers::isMarker(e)) done->entryUids_.push_back(e.uid);
        return true;
      });
    }
    done->redo(store);
  });
  return *done;
}

void TaskRename::move(JournalStore& store, const std::string& from, const std::string& to) const {
  store.transact([&] {
    std::optional<Task> task = store.task(taskId_);
    if (!task) throw TrackingError("The task is no longer in the store");
    task->subject = to;
    store.updateTask(*task);
    for (const std::string& uid : entryUids_) {
      std::optional<JournalEntry> e = store.entryByUid(uid);
      if (!e || e->subject != from) continue;
      e->subject = to;
      store.updateEntry(*e);
    }
  });
}

}  // namespace tw
