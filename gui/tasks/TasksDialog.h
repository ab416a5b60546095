#pragma once

#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

#include "store/Task.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QUndoStack;

namespace tw {

class JournalStore;
class MessageBoxes;

// "Tasks": every task of the store, its subject and categories edited in place and its status
// chosen from a list. Tasks are added, closed, reopened and deleted here; each change is saved
// at once and announced (tasksChanged), so that the task list of the main window follows. A
// rename takes the task's journal entries along unless the user unticks it (TaskRename), and
// can be undone and made again, entries and all, as one step.
class TasksDialog : public QDialog {
  Q_OBJECT

 public:
  TasksDialog(JournalStore& store, MessageBoxes& messages, QWidget* parent = nullptr);

 signals:
  void tasksChanged();

 private slots:
  void onAddClicked();
  void onDeleteClicked();
  void onCloseClicked();
  void onItemChanged(QTableWidgetItem* item);
  void onCurrentRowChanged();
  void onUndo();
  void onRedo();

 private:
  void fill();
  void addRow(const Task& task);
  void setStatus(int row, TaskStatus status);
  // Stores the task changed; false (and a message) when the store refuses.
  bool save(const Task& task, const QString& failureTitle);
  // What a task may hold (EntryRules), and, when renamed, a subject another task has only when
  // the user agrees.
  bool acceptable(const Task& changed, bool renamed);
  int selectedRow() const;
  // Says why the task of the row stays, and offers to close it.
  void offerClosing(int row, std::int64_t entries);
  // Renames the task, its entries too when asked; false (and a message) when refused.
  bool rename(const Task& task, const std::string& before);
  void buildUndo(QPushButton* undoButton);

  JournalStore& store_;
  MessageBoxes& messages_;
  std::vector<Task> tasks_;
  bool filling_ = false;
  QTableWidget* table_;
  QLineEdit* newSubject_;
  QLineEdit* newCategories_;
  QPushButton* closeButton_;
  QPushButton* deleteButton_;
  QCheckBox* renameEntries_;
  QUndoStack* undo_;
};

}  // namespace tw
