// The task list of the main window and the drop of a journal entry's text onto it.
#include <QAbstractItemView>
#include <QComboBox>
#include <QMimeData>
#include <QStatusBar>

#include "core/Error.h"
#include "gui/common/DialogRunner.h"
#include "gui/common/WindowError.h"
#include "gui/journal/JournalWindow.h"
#include "gui/main/MainWindow.h"
#include "gui/main/MainWindowMenu.h"
#include "gui/tasks/TasksDialog.h"
#include "sync/SyncConfig.h"

namespace tw {

namespace {

using Icon = MessageBoxes::Icon;

const QString kRefresh = QStringLiteral("<Refresh>");
const QString kEditTasks = QStringLiteral("<Edit tasks…>");
const QString kNoTasks = QStringLiteral("Click to add a task");
// "<Refresh>" and "<Edit tasks…>" end the list.
constexpr int kCommandItems = 2;

// The task lists of the calendar account the window offers tasks of; every task when the
// account names none, or when its settings cannot be read (the synchronisation says why).
std::vector<std::string> shownTaskLists() {
  try {
    if (const std::optional<SyncConfig> account = SyncConfig::loadDefault())
      return account->shownTaskLists();
  } catch (const Error&) {
    return {};
  }
  return {};
}

}  // namespace

// The open tasks in the order stored, then "<Refresh>" and "<Edit tasks…>"; nothing is selected
// unless reselect names a listed task.
void MainWindow::fillTaskList(const QString& reselect) {
  taskList_->clear();
  try {
    for (const Task& task : session().reloadTasks(shownTaskLists()).tasks())
      taskList_->addItem(QString::fromStdString(task.subject));
  } catch (const std::exception& e) {
    messages_.show(WindowError::describe(e), QStringLiteral("Error Getting Tasks"), Icon::Critical);
  }
  taskList_->addItem(kRefresh);
  taskList_->addItem(kEditTasks);
  taskList_->setPlaceholderText(listsTasks() ? QString() : kNoTasks);
  taskList_->setCurrentIndex(-1);
  if (!reselect.isEmpty()) selectTask(reselect);
}

bool MainWindow::listsTasks() const {
  return taskList_->count() > kCommandItems;
}

void MainWindow::showSyncResult(const QString& status, bool received) {
  statusBar()->setToolTip(status);
  menu_->showSyncStatus(status);
  if (received) reloadTasks();
}

void MainWindow::reloadTasks() {
  if (session_ && !taskList_->view()->isVisible()) fillTaskList(selectedTask_);
}

// Shows the task in the list without choosing it: the subject as written, else the task the
// session finds for it without regard to letter case.
void MainWindow::selectTask(const QString& subject) {
  int index = taskList_->findText(subject, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index < 0 && session_) {
    const TaskList& tasks = session_->tasks();
    if (const Task* task = tasks.find(subject.toStdString()))
      index = static_cast<int>(task - tasks.tasks().data());
  }
  if (index < 0 || index >= taskList_->count() - kCommandItems) return;
  taskList_->setCurrentIndex(index);
  selectedTask_ = taskList_->itemText(index);
}

// A task chosen while tracking takes the timing over; "<Refresh>" reads the tasks again and
// "<Edit tasks…>" opens the tasks window.
void MainWindow::onTaskActivated(int index) {
  const QString text = taskList_->itemText(index);
  if (index >= taskList_->count() - kCommandItems) {
    if (text == kEditTasks) openTasks();
    fillTaskList(selectedTask_);
    return;
  }
  selectedTask_ = text;
  if (session_ && session_->tracking())
    track([&](TrackingSession& s) { s.switchTo(text.toStdString()); });
}

// The dropped text names a journal entry by its subject and start; the session puts that
// entry back (timed from now while tracking) and the list shows its task.
void MainWindow::dropJournalText(const QMimeData* data) {
  if (!data || !data->hasText()) {
    messages_.show(QStringLiteral("Only the text of a journal entry can be dropped here."),
                   Icon::Warning);
    return;
  }
  try {
    if (!session().drop(data->text().toStdString())) {
      messages_.show(QStringLiteral("Invalid Journal Entry or not a Journal Entry"), Icon::Warning);
      return;
    }
    selectTask(QString::fromStdString(session().held()->subject));
  } catch (const std::exception& e) {
    messages_.show("The dropped journal entry cannot be taken up: " + WindowError::describe(e),
                   Icon::None);
  }
  showTrackingState();
}

}  // namespace tw

namespace tw {

// The task list follows every change made in the tasks window at once.
void MainWindow::openTasks() {
  if (!store_) {
    messages_.show(storeFailure_, QStringLiteral("Error Getting Tasks"), Icon::Critical);
    return;
  }
  TasksDialog dialog(*store_, messages_, this);
  connect(&dialog, &TasksDialog::tasksChanged, this, [this] { fillTaskList(selectedTask_); });
  guardedServices_.dialogs.exec(dialog);
}

void MainWindow::setConflictCopies(ConflictCopies* copies) {
  conflicts_ = copies;
  if (journal_) journal_->setConflictCopies(copies);
}

// One journal window, kept while the main window lives.
void MainWindow::openJournal() {
  if (!store_) {
    messages_.show(storeFailure_, QStringLiteral("Journal"), Icon::Critical);
    return;
  }
  if (!journal_) {
    journal_ = new JournalWindow(*store_, *session_, *editor_, guardedServices_, this);
    journal_->setObjectName(QStringLiteral("journalWindow"));
    journal_->setConflictCopies(conflicts_);
  }
  journal_->reload();
  journal_->show();
  journal_->raise();
  journal_->activateWindow();
}

}  // namespace tw
