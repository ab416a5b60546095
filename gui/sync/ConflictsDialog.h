#pragma once

#include <QDialog>
#include <vector>

#include "sync/ConflictCopies.h"

class QPushButton;
class QTreeWidget;

namespace tw {

class MessageBoxes;

// "Conflicts": the local versions that lost to the calendar server's where both sides changed
// a field, each with the fields concerned, the kept value and the value now. A version is
// taken back (Restore Mine: sent with the next synchronisation) or let go (Dismiss); each
// choice is saved at once and announced (changed), so that the journal follows.
class ConflictsDialog : public QDialog {
  Q_OBJECT

 public:
  ConflictsDialog(ConflictCopies& copies, MessageBoxes& messages, QWidget* parent = nullptr);

 signals:
  void changed();

 private slots:
  void onRestoreClicked();
  void onDismissClicked();
  void onSelectionChanged();

 private:
  void fill();
  // The id of the copy whose row (or field row) is selected; 0 when none is.
  std::int64_t selectedId() const;
  void act(void (ConflictCopies::*action)(std::int64_t), const QString& doing);

  ConflictCopies& copies_;
  MessageBoxes& messages_;
  QTreeWidget* tree_;
  QPushButton* restore_;
  QPushButton* dismiss_;
};

}  // namespace tw
