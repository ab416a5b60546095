#pragma once

#include <QDialog>
#include <vector>

#include "sync/SyncQueue.h"
#include "sync/SyncResult.h"

class QPushButton;
class QTreeWidget;

namespace tw {

class MessageBoxes;

// "Synchronisation Problems": the changes the calendar server refused, with its own words, and
// the items kept here only, each to be sent again (Retry) or given up (Drop: the server's
// version stands, a new item stays here only); and what the last synchronisation skipped
// (addresses outside the collections, objects it could not read). Each choice is saved at once
// and announced (changed).
class SyncProblemsDialog : public QDialog {
  Q_OBJECT

 public:
  SyncProblemsDialog(SyncQueue& queue, std::vector<SyncResult::Problem> skipped,
                     MessageBoxes& messages, QWidget* parent = nullptr);

 signals:
  void changed();

 private slots:
  void onRetryClicked();
  void onDropClicked();
  void onSelectionChanged();

 private:
  void fill();
  // The UID of the selected change; empty when none (or a skipped item) is selected.
  QString selectedUid() const;
  void act(void (SyncQueue::*action)(std::string_view), const QString& doing);

  SyncQueue& queue_;
  std::vector<SyncResult::Problem> skipped_;
  MessageBoxes& messages_;
  QTreeWidget* tree_;
  QPushButton* retry_;
  QPushButton* drop_;
};

}  // namespace tw
