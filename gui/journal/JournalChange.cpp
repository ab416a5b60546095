#include "gui/journal/JournalChange.h"

#include <utility>

#include "gui/common/WindowError.h"
#include "store/JournalStore.h"
#include "tracking/JournalEditor.h"

namespace tw {

JournalChange::JournalChange(const QString& text, std::vector<Step> steps, JournalStore& store,
                             JournalEditor& editor)
    : QUndoCommand(text), steps_(std::move(steps)), store_(store), editor_(editor) {}

void JournalChange::undo() {
  apply(false);
}

void JournalChange::redo() {
  if (std::exchange(made_, false)) return;
  apply(true);
}

std::int64_t JournalChange::currentId(const JournalEntry& entry) {
  const std::optional<JournalEntry> stored = store_.entryByUid(entry.uid);
  if (!stored) throw WindowError("The entry \"" + entry.subject + "\" is no longer in the store");
  return stored->id;
}

// Forward makes each step's after state, in order; backward its before state, last step first.
void JournalChange::apply(bool forward) {
  store_.transact([&] {
    for (std::size_t i = 0; i < steps_.size(); ++i) {
      const Step& step = steps_[forward ? i : steps_.size() - 1 - i];
      const std::optional<JournalEntry>& from = forward ? step.before : step.after;
      const std::optional<JournalEntry>& to = forward ? step.after : step.before;
      if (!from) {
        editor_.restore(*to);
      } else if (!to) {
        editor_.remove(currentId(*from));
      } else {
        JournalEntry changed = *to;
        changed.id = currentId(*from);
        editor_.change(changed);
      }
    }
  });
}

}  // namespace tw
