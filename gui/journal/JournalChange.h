#pragma once

#include <QUndoCommand>
#include <optional>
#include <vector>

#include "core/JournalEntry.h"

namespace tw {

class JournalEditor;
class JournalStore;

// One change of the journal made in the journal window, as the entries were before and after
// it (an entry added has no before, one deleted no after), so that it can be undone and made
// again. Entries are found by uid: an entry deleted and restored keeps its uid, not its row.
// The change is made before it is pushed, so the first redo does nothing. Undoing and redoing
// are one transaction each and throw when the store refuses; the stack stays where it was.
class JournalChange : public QUndoCommand {
 public:
  struct Step {
    std::optional<JournalEntry> before;
    std::optional<JournalEntry> after;
  };

  JournalChange(const QString& text, std::vector<Step> steps, JournalStore& store,
                JournalEditor& editor);

  void undo() override;
  void redo() override;

 private:
  void apply(bool forward);
  std::int64_t currentId(const JournalEntry& entry);

  std::vector<Step> steps_;
  JournalStore& store_;
  JournalEditor& editor_;
  bool made_ = true;
};

}  // namespace tw
