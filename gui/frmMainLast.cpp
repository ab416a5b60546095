#include <QComboBox>
#include <QCoreApplication>

#include "store/Application.h"
#include "store/Items.h"
#include "store/MAPIFolder.h"
#include "store/NameSpace.h"
#include "store/StoreItem.h"
#include "tracking/TaskList.h"
#include "tracking/WindowError.h"
#include "tracking/frmMain.h"

namespace tw {

// Resumes the task named by the most recent journal item that names a listed task.
void frmMain::btnLast_Click() {
  try {
    Application app;
    NameSpace mapi = app.GetNamespace("MAPI");
    MAPIFolder journal = mapi.GetDefaultFolder(olFolderJournal);
    Items items = journal.Items();
    const long count = items.Count();
    if (count == 0) return;
    items.Sort("[Start]", true);
    for (long i = 1; i <= count; ++i) {
      const std::string subject = items.Item(i)->Subject();
      if (taskList && taskList->getTask(subject)) {
        setListText(QString::fromStdString(subject));
        const bool r = lastTWEventIsStop();
        setTracking(true, r);
        return;
      }
      QCoreApplication::processEvents();
    }
  } catch (const std::exception& failure) {
    messages().show("Error in btnLast_Click: " + describe(failure), MessageBoxes::Icon::None);
  }
}

}  // namespace tw
