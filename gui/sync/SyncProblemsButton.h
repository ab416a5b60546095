#pragma once

#include <QToolButton>
#include <vector>

#include "sync/SyncQueue.h"
#include "sync/SyncResult.h"

namespace tw {

class DialogRunner;
class MessageBoxes;

// The status bar's "2 sync problems…": shown while the calendar server holds refused changes
// or the last synchronisation skipped something, it opens the problems dialog.
class SyncProblemsButton : public QToolButton {
  Q_OBJECT

 public:
  SyncProblemsButton(SyncQueue& queue, MessageBoxes& messages, DialogRunner& dialogs,
                     QWidget* parent = nullptr);

  // What the last synchronisation skipped; the count is read again.
  void showProblems(std::vector<SyncResult::Problem> lastRun);
  int count() const { return count_; }

 signals:
  // A change was retried or dropped: the journal and the tasks may have changed.
  void changed();

 private:
  void recount();
  void openDialog();

  SyncQueue& queue_;
  MessageBoxes& messages_;
  DialogRunner& dialogs_;
  std::vector<SyncResult::Problem> lastRun_;
  int count_ = 0;
};

}  // namespace tw
