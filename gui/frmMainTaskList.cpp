#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QSettings>

#include "model/Clock.h"
#include "store/Application.h"
#include "store/Attachments.h"
#include "store/Items.h"
#include "store/JournalItem.h"
#include "store/MAPIFolder.h"
#include "store/NameSpace.h"
#include "store/TaskItem.h"
#include "tracking/TaskList.h"
#include "tracking/WindowError.h"
#include "tracking/frmMain.h"

namespace tw {

namespace {

using Icon = MessageBoxes::Icon;

const QString kRefresh = QStringLiteral("<Refresh>");
// A work marker is shifted by this many days (59.96 seconds) away from the moment it marks.
constexpr double kMarkerShift = 0.000694;

bool isListed(int status) {
  return status != olTaskComplete && status != olTaskWaiting && status != olTaskDeferred;
}

}  // namespace

void frmMain::fillTaskList(const QString& taskName) {
  setEnabled(false);
  taskList = std::make_unique<TaskList>();
  try {
    Application app;
    NameSpace mapi = app.GetNamespace("MAPI");
    MAPIFolder tasks = mapi.GetDefaultFolder(olFolderTasks);
    lstTasks->clear();
    // From here on a failing step is passed over: a broken item or a repeated subject costs
    // that item alone.
    try {
      tasks.Items().forEach([this](const std::shared_ptr<StoreItem>& item) {
        try {
          const std::shared_ptr<TaskItem> task = asTaskItem(item);
          if (isListed(task->Status())) {
            const std::string subject = task->Subject();
            lstTasks->addItem(QString::fromStdString(subject));
            taskList->addTask(subject, task);
          }
        } catch (const std::exception&) {
        }
        return true;
      });
    } catch (const std::exception&) {
    }
    lstTasks->addItem(kRefresh);
    lstTasks->setCurrentIndex(-1);
    if (!taskName.isEmpty()) {
      try {
        setListText(taskName);
      } catch (const std::exception&) {
      }
    }
  } catch (const std::exception& failure) {
    messages().show(describe(failure), "Error Getting Tasks", Icon::Critical);
  }
  setEnabled(true);
}

void frmMain::setListText(const QString& text) {
  int index = lstTasks->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index < 0) index = lstTasks->findText(text, Qt::MatchFixedString);
  if (index < 0) throw WindowError("\"" + text.toStdString() + "\" is not in the task list");
  lstTasks->setCurrentIndex(index);
  lstTasks_Click();
}

void frmMain::lstTasks_Click() {
  if (refreshing) return;
  const QString text = lstTasks->currentText();
  if (text == kRefresh) {
    refreshing = true;
    QCoreApplication::processEvents();
    fillTaskList(selectedTask);
    refreshing = false;
    return;
  }
  selectedTask = text;
  if (tracking) setTracking(true, false);
}

void frmMain::createJournalEntry(const std::string& subject, const std::string& taskName,
                                 const std::string& categories, bool keep,
                                 const std::string& entryType) {
  setEnabled(false);
  try {
    Application app;
    NameSpace mapi = app.GetNamespace("MAPI");
    MAPIFolder journal = mapi.GetDefaultFolder(olFolderJournal);
    const std::shared_ptr<JournalItem> entry = asJournalItem(journal.Items().Add(olJournalItem));
    entry->setSubject(subject);
    entry->setCategories(categories);
    if (!taskName.empty()) {
      const std::shared_ptr<TaskItem> task = taskList ? taskList->getTask(taskName) : nullptr;
      if (!task) throw WindowError("The task \"" + taskName + "\" is not in the task list");
      entry->Attachments().Add(task, olEmbeddedTask);
      entry->setType(entryTypeIsRegistered("PJ_Task") ? "PJ_Task" : "Task");
    } else {
      entry->setType(entryType);
    }
    entry->setStart(Clock::current().now());
    if (entry->Subject() == "Start Work") {
      entry->setStart(Clock::current().now().addDays(-kMarkerShift));
    }
    if (entry->Subject() == "Stop Work") {
      entry->setStart(Clock::current().now().addDays(kMarkerShift));
    }
    entry->Save();
    if (keep) currentEntry = entry;
  } catch (const std::exception& failure) {
    messages().show(describe(failure), "Error Creating Journal Entry", Icon::Critical);
  }
  setEnabled(true);
}

// The per-user registry stands in a read-only INI file: the section is the key path, the
// value "Description". Only its presence counts.
bool frmMain::entryTypeIsRegistered(const QString& name) const {
  QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  // Relative values are invalid and ignored, as the base-directory rules say.
  if (!QDir::isAbsolutePath(config)) config = QDir::homePath() + "/.config";
  const QSettings registry(config + "/tallyworks/registry.ini", QSettings::IniFormat);
  return registry.contains("Software/Microsoft/Shared Tools/Outlook/Journaling/" + name +
                           "/Description");
}

}  // namespace tw
