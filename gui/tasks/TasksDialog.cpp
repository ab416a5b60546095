#include "gui/tasks/TasksDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QUndoStack>
#include <QVBoxLayout>
#include <array>

#include "core/CaseFold.h"
#include "core/EntryRules.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/Text.h"
#include "gui/common/WindowError.h"
#include "gui/tasks/TaskRenameChange.h"
#include "store/JournalStore.h"
#include "tracking/TaskRename.h"

namespace tw {

namespace {

enum Column { kSubject, kCategories, kStatus, kColumns };

// In the order of TaskStatus.
const std::array<QString, 5> kStatusNames = {
    QStringLiteral("Not Started"), QStringLiteral("In Progress"), QStringLiteral("Complete"),
    QStringLiteral("Waiting"), QStringLiteral("Deferred")};

}  // namespace

TasksDialog::TasksDialog(JournalStore& store, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent),
      store_(store),
      messages_(messages),
      table_(new QTableWidget(0, kColumns, this)),
      newSubject_(new QLineEdit(this)),
      newCategories_(new QLineEdit(this)),
      closeButton_(new QPushButton(QStringLiteral("C&lose Task"), this)),
      deleteButton_(new QPushButton(QStringLiteral("&Delete Task"), this)),
      renameEntries_(
          new QCheckBox(QStringLiteral("Renaming a task renames its &journal entries too"), this)),
      undo_(new QUndoStack(this)) {
  setWindowTitle(QStringLiteral("Tasks"));
  resize(560, 420);
  table_->setObjectName(QStringLiteral("tasks"));
  table_->setHorizontalHeaderLabels(
      {QStringLiteral("Subject"), QStringLiteral("Categories"), QStringLiteral("Status")});
  table_->horizontalHeader()->setSectionResizeMode(kSubject, QHeaderView::Stretch);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->verticalHeader()->hide();
  // A rename starts by double-click or F2 only: typing meant for "New task" renames nothing.
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  newSubject_->setObjectName(QStringLiteral("newSubject"));
  newCategories_->setObjectName(QStringLiteral("newCategories"));
  closeButton_->setObjectName(QStringLiteral("closeTaskButton"));
  auto* add = new QPushButton(QStringLiteral("&Add"), this);
  add->setObjectName(QStringLiteral("addTaskButton"));
  deleteButton_->setObjectName(QStringLiteral("deleteTaskButton"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  renameEntries_->setObjectName(QStringLiteral("renameEntries"));
  renameEntries_->setChecked(true);
  renameEntries_->setToolTip(
      QStringLiteral("The entries under its old subject, timed for it or tied to no task: "
                     "reports and the recent tasks keep its history under one name"));
  auto* undoButton = new QPushButton(QStringLiteral("&Undo"), this);
  undoButton->setObjectName(QStringLiteral("undoButton"));

  auto* newRow = new QHBoxLayout;
  newRow->addWidget(newSubject_, 3);
  newRow->addWidget(newCategories_, 2);
  newRow->addWidget(add);
  newSubject_->setPlaceholderText(QStringLiteral("New task"));
  newCategories_->setPlaceholderText(QStringLiteral("Categories"));
  auto* rowButtons = new QHBoxLayout;
  rowButtons->addWidget(closeButton_);
  rowButtons->addWidget(deleteButton_);
  rowButtons->addWidget(undoButton);
  rowButtons->addStretch();
  rowButtons->addWidget(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(newRow);
  layout->addWidget(table_);
  layout->addWidget(renameEntries_);
  layout->addLayout(rowButtons);
  buildUndo(undoButton);

  // Enter adds from either field; no button takes Enter, so none changes the task selected.
  for (QPushButton* button : findChildren<QPushButton*>()) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }
  setTabOrder(newSubject_, newCategories_);
  setTabOrder(newCategories_, add);
  setTabOrder(add, table_);
  newSubject_->setFocus();

  connect(add, &QPushButton::clicked, this, &TasksDialog::onAddClicked);
  connect(newSubject_, &QLineEdit::returnPressed, this, &TasksDialog::onAddClicked);
  connect(newCategories_, &QLineEdit::returnPressed, this, &TasksDialog::onAddClicked);
  connect(deleteButton_, &QPushButton::clicked, this, &TasksDialog::onDeleteClicked);
  connect(closeButton_, &QPushButton::clicked, this, &TasksDialog::onCloseClicked);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(table_, &QTableWidget::itemChanged, this, &TasksDialog::onItemChanged);
  connect(table_, &QTableWidget::itemSelectionChanged, this, &TasksDialog::onCurrentRowChanged);
  fill();
}

void TasksDialog::fill() {
  filling_ = true;
  table_->setRowCount(0);
  try {
    tasks_ = store_.tasks();
  } catch (const std::exception& e) {
    tasks_.clear();
    messages_.show(WindowError::describe(e), QStringLiteral("Error Getting Tasks"),
                   MessageBoxes::Icon::Critical);
  }
  for (const Task& task : tasks_) addRow(task);
  filling_ = false;
  onCurrentRowChanged();
}

void TasksDialog::addRow(const Task& task) {
  const int row = table_->rowCount();
  table_->insertRow(row);
  table_->setItem(row, kSubject, new QTableWidgetItem(text(task.subject)));
  table_->setItem(row, kCategories, new QTableWidgetItem(text(task.categories)));
  auto* status = new QComboBox(table_);
  for (const QString& name : kStatusNames) status->addItem(name);
  status->setCurrentIndex(static_cast<int>(task.status));
  table_->setCellWidget(row, kStatus, status);
  connect(status, &QComboBox::activated, this, [this, status](int index) {
    for (int r = 0; r < table_->rowCount(); ++r)
      if (table_->cellWidget(r, kStatus) == status) setStatus(r, static_cast<TaskStatus>(index));
  });
}

int TasksDialog::selectedRow() const {
  const QList<QTableWidgetItem*> selected = table_->selectedItems();
  return selected.isEmpty() ? -1 : selected.front()->row();
}

bool TasksDialog::save(const Task& task, const QString& failureTitle) {
  try {
    store_.updateTask(task);
  } catch (const std::exception& e) {
    messages_.show(WindowError::describe(e), failureTitle, MessageBoxes::Icon::Warning);
    QMetaObject::invokeMethod(this, &TasksDialog::fill, Qt::QueuedConnection);
    return false;
  }
  emit tasksChanged();
  return true;
}

bool TasksDialog::acceptable(const Task& changed, bool renamed) {
  const std::string why = EntryRules::whyInvalidTask(changed.subject, changed.categories);
  if (!why.empty()) {
    messages_.show(text("The task cannot be stored: " + why + "."), MessageBoxes::Icon::Warning);
    return false;
  }
  for (const Task& task : tasks_) {
    if (renamed && task.id != changed.id && CaseFold::equal(task.subject, changed.subject))
      return messages_.ask(
          QStringLiteral("There is a task \"%1\" already. Keep both?").arg(text(task.subject)),
          MessageBoxes::kDefaultTitle);
  }
  return true;
}

// Ctrl+Z undoes the last rename and Ctrl+Shift+Z makes it again, outside the text fields,
// which keep the keys for their own text.
void TasksDialog::buildUndo(QPushButton* undoButton) {
  auto* undoAction = new QAction(QStringLiteral("Undo"), this);
  undoAction->setShortcut(QKeySequence::Undo);
  auto* redoAction = new QAction(QStringLiteral("Redo"), this);
  redoAction->setShortcut(QKeySequence::Redo);
  addActions({undoAction, redoAction});
  connect(undoAction, &QAction::triggered, this, &TasksDialog::onUndo);
  connect(redoAction, &QAction::triggered, this, &TasksDialog::onRedo);
  connect(undoButton, &QPushButton::clicked, this, &TasksDialog::onUndo);
  undoButton->setEnabled(false);
  connect(undo_, &QUndoStack::canUndoChanged, undoButton, &QWidget::setEnabled);
  connect(undo_, &QUndoStack::undoTextChanged, undoButton,
          [undoButton](const QString& text) { undoButton->setToolTip("Undo " + text); });
}

void TasksDialog::onUndo() {
  if (!undo_->canUndo()) return;
  try {
    undo_->undo();
  } catch (const std::exception& e) {
    messages_.show(WindowError::describe(e), QStringLiteral("Error Undoing the Rename"),
                   MessageBoxes::Icon::Warning);
  }
  fill();
  emit tasksChanged();
}

void TasksDialog::onRedo() {
  if (!undo_->canRedo()) return;
  try {
    undo_->redo();
  } catch (const std::exception& e) {
    messages_.show(WindowError::describe(e), QStringLiteral("Error Renaming Again"),
                   MessageBoxes::Icon::Warning);
  }
  fill();
  emit tasksChanged();
}

bool TasksDialog::rename(const Task& task, const std::string& before) {
  try {
    TaskRename done = TaskRename::apply(store_, task.id, task.subject, renameEntries_->isChecked());
    const QString what = QStringLiteral("rename of \"%1\" (%2 journal entries)")
                             .arg(text(before))
                             .arg(done.entries());
    undo_->push(new TaskRenameChange(what, std::move(done), store_));
  } catch (const std::exception& e) {
    messages_.show(WindowError::describe(e), QStringLiteral("Error Changing Task"),
                   MessageBoxes::Icon::Warning);
    QMetaObject::invokeMethod(this, &TasksDialog::fill, Qt::QueuedConnection);
    return false;
  }
  emit tasksChanged();
  return true;
}

// Whichever field Enter was pressed in, the next task is typed in "New task".
void TasksDialog::onAddClicked() {
  newSubject_->setFocus();
  const Task added{0,
                   "",
                   newSubject_->text().trimmed().toStdString(),
                   newCategories_->text().trimmed().toStdString(),
                   TaskStatus::NotStarted,
                   0};
  if (!acceptable(added, true)) return;
  try {
    store_.addTask(added);
  } catch (const std::exception& e) {
    messages_.show(WindowError::describe(e), QStringLiteral("Error Adding Task"),
                   MessageBoxes::Icon::Warning);
    return;
  }
  newSubject_->clear();
  newCategories_->clear();
  fill();
  table_->selectRow(table_->rowCount() - 1);
  emit tasksChanged();
}

// A subject or categories edited in place; a value refused goes back to what it was.
void TasksDialog::onItemChanged(QTableWidgetItem* item) {
  if (filling_) return;
  Task task = tasks_.at(static_cast<std::size_t>(item->row()));
  const bool renamed = item->column() == kSubject;
  (renamed ? task.subject : task.categories) = item->text().trimmed().toStdString();
  if (!acceptable(task, renamed)) {
    // The item is still being changed: the table is filled again after that.
    QMetaObject::invokeMethod(this, &TasksDialog::fill, Qt::QueuedConnection);
    return;
  }
  const std::string before = tasks_.at(static_cast<std::size_t>(item->row())).subject;
  if (renamed ? rename(task, before) : save(task, QStringLiteral("Error Changing Task")))
    tasks_[static_cast<std::size_t>(item->row())] = task;
}

void TasksDialog::setStatus(int row, TaskStatus status) {
  Task task = tasks_.at(static_cast<std::size_t>(row));
  task.status = status;
  if (!save(task, QStringLiteral("Error Changing Task"))) return;
  tasks_[static_cast<std::size_t>(row)] = task;
  static_cast<QComboBox*>(table_->cellWidget(row, kStatus))
      ->setCurrentIndex(static_cast<int>(status));
  onCurrentRowChanged();
}

// Closing completes an open task; a closed one is reopened as not started.
void TasksDialog::onCloseClicked() {
  const int row = selectedRow();
  if (row < 0) return;
  const bool open = tasks_.at(static_cast<std::size_t>(row)).isOpen();
  setStatus(row, open ? TaskStatus::Complete : TaskStatus::NotStarted);
}

// A task that journal entries refer to stays, so that they keep their task: closing it
// instead is offered.
void TasksDialog::onDeleteClicked() {
  const int row = selectedRow();
  if (row < 0) return;
  const Task& task = tasks_.at(static_cast<std::size_t>(row));
  try {
    if (const std::int64_t entries = store_.entriesOfTask(task.id); entries > 0) {
      offerClosing(row, entries);
      return;
    }
    store_.deleteTask(task.id);
  } catch (const std::exception& e) {
    messages_.show(WindowError::describe(e), QStringLiteral("Error Deleting Task"),
                   MessageBoxes::Icon::Warning);
    return;
  }
  fill();
  emit tasksChanged();
}

void TasksDialog::offerClosing(int row, std::int64_t entries) {
  const Task& task = tasks_.at(static_cast<std::size_t>(row));
  const QString why = QStringLiteral("\"%1\" is not deleted: %2 journal %3 to it.")
                          .arg(text(task.subject))
                          .arg(entries)
                          .arg(entries == 1 ? "entry refers" : "entries refer");
  if (!task.isOpen()) {
    messages_.show(why + " It is closed already: the task list leaves it out.",
                   QStringLiteral("Delete Task"), MessageBoxes::Icon::None);
    return;
  }
  if (messages_.ask(why + " Close it instead? The task list then leaves it out; its entries "
                          "stay as they are.",
                    QStringLiteral("Delete Task")))
    setStatus(row, TaskStatus::Complete);
}

void TasksDialog::onCurrentRowChanged() {
  const int row = selectedRow();
  closeButton_->setEnabled(row >= 0);
  deleteButton_->setEnabled(row >= 0);
  const bool open = row < 0 || tasks_.at(static_cast<std::size_t>(row)).isOpen();
  closeButton_->setText(open ? QStringLiteral("C&lose Task") : QStringLiteral("&Reopen Task"));
}

}  // namespace tw
