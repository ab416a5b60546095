#pragma once

#include <QUndoCommand>
#include <utility>

#include "tracking/TaskRename.h"

namespace tw {

class JournalStore;

// A rename made in the tasks window, the task's journal entries with it, undone and made
// again as one step. The rename is made before it is pushed, so the first redo does nothing;
// undoing and redoing are one transaction each and throw when the store refuses.
class TaskRenameChange : public QUndoCommand {
 public:
  TaskRenameChange(const QString& text, TaskRename rename, JournalStore& store)
      : QUndoCommand(text), rename_(std::move(rename)), store_(store) {}

  void undo() override { rename_.undo(store_); }
  void redo() override {
    if (!std::exchange(made_, false)) rename_.redo(store_);
  }

 private:
  TaskRename rename_;
  JournalStore& store_;
  bool made_ = true;
};

}  // namespace tw
