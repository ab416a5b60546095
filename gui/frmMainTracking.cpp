#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdint>
#include <limits>

#include "model/Clock.h"
#include "store/Application.h"
#include "store/Items.h"
#include "store/JournalItem.h"
#include "store/MAPIFolder.h"
#include "store/NameSpace.h"
#include "store/TaskItem.h"
#include "tracking/GuardedMessages.h"
#include "tracking/TaskList.h"
#include "tracking/WindowError.h"
#include "tracking/frmMain.h"

namespace tw {

namespace {

using Icon = MessageBoxes::Icon;

// The status text of a duration: "2h 5m", "1h ", "45m", "< 1m".
QString timeText(std::int32_t minutes) {
  const std::int32_t hours = minutes / 60;
  if (hours > std::numeric_limits<std::int16_t>::max() ||
      hours < std::numeric_limits<std::int16_t>::min()) {
    throw WindowError("Overflow: the entry's duration is too large to show");
  }
  const std::int32_t rest = minutes % 60;
  QString text;
  if (hours >= 1) text = QString::number(hours) + "h ";
  if (rest >= 1) text += QString::number(rest) + "m";
  return text.isEmpty() ? QStringLiteral("< 1m") : text;
}

}  // namespace

void frmMain::btnStart_Click() {
  if (lstTasks->currentText().isEmpty()) {
    messages().show("Select a Task", Icon::Warning);
    return;
  }
  const bool r = lastTWEventIsStop();
  setTracking(true, r);
}

void frmMain::btnStop_Click() {
  setTracking(false, true);
}

void frmMain::btnPause_Click() {
  setTracking(false, false);
}

void frmMain::setTracking(bool tracking, bool writeMarker) {
  this->tracking = tracking;
  try {
    if (tracking) {
      // The entry being replaced keeps the minutes since its last periodic save.
      stopRunningEntry();
      if (writeMarker) createJournalEntry("Start Work", "", "Tallyworks Start", false, "TWEvent");
      const std::string name = lstTasks->currentText().toStdString();
      const std::shared_ptr<TaskItem> task = taskList ? taskList->getTask(name) : nullptr;
      if (!task) throw WindowError("The task \"" + name + "\" is not in the task list");
      const std::string subject = task->Subject();
      createJournalEntry(subject, subject, task->Categories(), true, "");
      if (!currentEntry) throw WindowError("No journal entry is being timed");
      currentEntry->StartTimer();
      btnStop->setEnabled(true);
      btnStart->setEnabled(false);
      btnLast->setEnabled(false);
      btnPause->setEnabled(true);
    } else {
      if (currentEntry) currentEntry->StopTimer();
      if (currentEntry) currentEntry->Save();
      if (writeMarker) createJournalEntry("Stop Work", "", "Tallyworks Stop", false, "TWEvent");
      currentEntry.reset();
      btnStop->setEnabled(false);
      btnStart->setEnabled(true);
      btnLast->setEnabled(true);
      btnPause->setEnabled(false);
    }
  } catch (const std::exception& failure) {
    currentEntry.reset();
    messages().show("Error saving Journal Entry\r\n" + describe(failure), Icon::Warning);
  }
}

void frmMain::stopRunningEntry() {
  const std::shared_ptr<JournalItem> entry = std::move(currentEntry);
  currentEntry.reset();
  if (entry && entry->timerRunning()) {
    entry->StopTimer();
    entry->Save();
  }
}

// The most recent work marker decides; a journal without markers has no open period of work.
// Among markers with the same start the one written last is the most recent.
bool frmMain::lastTWEventIsStop() {
  try {
    Application app;
    NameSpace mapi = app.GetNamespace("MAPI");
    MAPIFolder journal = mapi.GetDefaultFolder(olFolderJournal);
    Items markers = journal.Items().Restrict("[Type] = 'TWEvent'");
    const long count = markers.Count();
    if (count == 0) return true;
    markers.Sort("[Start]", true);
    auto newest = asJournalItem(markers.Item(1));
    for (long i = 2; i <= count; ++i) {
      auto next = asJournalItem(markers.Item(i));
      if (next->Start() != newest->Start()) break;
      newest = next;
    }
    return newest->Subject() == "Stop Work";
  } catch (const std::exception& failure) {
    messages().show("Error in lastTWEventIsStop: " + describe(failure), Icon::None);
    return false;
  }
}

void frmMain::Timer1_Timer() {
  // A tick waits while one of the window's message boxes is open, so a failing store does
  // not stack up recovery messages.
  if (messages_->open()) return;
  try {
    if (tracking) {
      if (!currentEntry) throw WindowError("No journal entry is being timed");
      setStatus(timeText(currentEntry->Duration()),
                QString::fromStdString(currentEntry->Categories()));
      const DateTime now = Clock::current().now();
      if (now.seconds() - lastSaveTime.seconds() > 60) {
        lastSaveTime = now;
        currentEntry->Save();
      }
      tickErrors = 0;
    } else if (!currentEntry) {
      setStatus("Stopped", "");
    } else {
      setStatus("ERROR", "Errant Entry in Memory");
    }
  } catch (const std::exception& failure) {
    recoverFromTickFailure(describe(failure));
  }
}

void frmMain::recoverFromTickFailure(const QString& description) {
  if (tickErrors >= 2) {
    messages().show("Fatal error, Please restart Tallyworks\r\n" + description, Icon::Critical);
    Timer1->stop();
    return;
  }
  ++tickErrors;
  messages().show("Error, Restarting Outlook\r\n" + description, Icon::Warning);
  currentEntry.reset();
  fillTaskList("");
  setTracking(false, false);
}

void frmMain::setStatus(const QString& panel1, const QString& panel2) {
  statusPanel1->setText(panel1);
  statusPanel2->setText(panel2);
}

// Start and Last stay usable only while stopped, Stop and Pause only while tracking, so that
// unlocking the window after other work cannot start a second period of work.
void frmMain::setEnabled(bool b) {
  btnStart->setEnabled(b && !tracking);
  btnStop->setEnabled(b && tracking);
  btnPause->setEnabled(b && tracking);
  btnLast->setEnabled(b && !tracking);
  lstTasks->setEnabled(b);
  btnExpand->setEnabled(b);
  txtCategory->setEnabled(b);
  txtStartDate->setEnabled(b);
  txtEndDate->setEnabled(b);
  btnDateStart->setEnabled(b);
  btnDateEnd->setEnabled(b);
  btnReport->setEnabled(b);
  btnCSV->setEnabled(b);
}

}  // namespace tw
