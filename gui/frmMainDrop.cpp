#include <QComboBox>
#include <QMimeData>

#include "model/DateText.h"
#include "store/Application.h"
#include "store/Items.h"
#include "store/JournalItem.h"
#include "store/MAPIFolder.h"
#include "store/NameSpace.h"
#include "tracking/TaskList.h"
#include "tracking/WindowError.h"
#include "tracking/frmMain.h"

namespace tw {

namespace {

using Icon = MessageBoxes::Icon;

// The start as a dragged journal item's text shows it: the general date with ":00 " written
// as " " (10:30:00 AM becomes 10:30 AM).
std::string startText(DateTime start) {
  const std::string general = DateText::generalDate(start);
  std::string text;
  text.reserve(general.size());
  for (std::size_t i = 0; i < general.size(); ++i) {
    if (general.compare(i, 4, ":00 ") == 0) {
      text += ' ';
      i += 3;
    } else {
      text += general[i];
    }
  }
  return text;
}

}  // namespace

// Puts the journal item that the dropped text describes back under tracking: the first item,
// in folder order, whose subject and start the text contains and whose task is listed.
void frmMain::lstTasks_OLEDragDrop(const QMimeData* data) {
  if (data == nullptr || !data->hasText()) {
    messages().show("Invalid OLE Type", Icon::Warning);
    return;
  }
  const std::string dropped = data->text().toStdString();
  bool cleared = false;
  try {
    Application app;
    NameSpace mapi = app.GetNamespace("MAPI");
    MAPIFolder journal = mapi.GetDefaultFolder(olFolderJournal);
    cleared = true;
    stopRunningEntry();
    std::shared_ptr<JournalItem> match;
    journal.Items().forEach([&](const std::shared_ptr<StoreItem>& item) {
      const std::shared_ptr<JournalItem> entry = asJournalItem(item);
      const std::string subject = entry->Subject();
      if (dropped.find(subject) != std::string::npos &&
          dropped.find(startText(entry->Start())) != std::string::npos && taskList &&
          taskList->getTask(subject)) {
        match = entry;
        return false;
      }
      return true;
    });
    if (match) {
      setListText(QString::fromStdString(match->Subject()));
      // The task entry that choosing the task started gives way to the dropped item, which
      // goes on timing while tracking.
      stopRunningEntry();
      currentEntry = match;
      if (tracking) currentEntry->StartTimer();
    }
    if (!currentEntry)
      messages().show("Invalid Journal Entry or not a Journal Entry", Icon::Warning);
  } catch (const std::exception& failure) {
    if (cleared) currentEntry.reset();
    messages().show("OLE Drop Error: " + describe(failure), Icon::None);
  }
}

}  // namespace tw
