#include <QLineEdit>
#include <QTableWidget>

#include "WindowFixture.h"
#include "gui/TasksDialog.h"

namespace tw::test {
namespace {

using TasksDialogTest = WindowFixture;

// The tasks window opens from the end of the task list; the list follows each change at once.
TEST_F(TasksDialogTest, TasksAreAddedRenamedClosedAndDeletedThroughTheList) {
  const Task timed = addTask("Alpha", "Design");
  JournalEntry timedEntry = addEntry("Alpha", at(10, 9));
  timedEntry.taskUid = timed.uid;
  store.updateEntry(timedEntry);
  load();
  QStringList lists;
  desktop.replies = {false, true};
  desktop.onDialog = [&](QDialog& dialog) {
    auto* subject = dialog.findChild<QLineEdit*>("newSubject");
    auto* table = dialog.findChild<QTableWidget*>("tasks");
    const auto press = [&](const char* name) {
      dialog.findChild<QPushButton*>(QString::fromLatin1(name))->click();
      lists << listed();
    };
    for (const char* name : {"  ", "<Refresh>", "Tab\tbed", "ALPHA", "alpha", "Beta"}) {
      subject->setText(name);
      press("addTaskButton");
    }
    table->item(2, 0)->setText("Gamma");  // renamed
    lists << listed();
    table->item(2, 0)->setText("");  // refused
    table->selectRow(0);
    press("closeTaskButton");
    press("deleteTaskButton");  // refused: an entry refers to it
    table->selectRow(1);
    press("deleteTaskButton");
    return 0;
  };
  choose("<Edit tasks…>");
  EXPECT_EQ(lists,
            (QStringList{
                "Alpha|<Refresh>|<Edit tasks…>", "Alpha|<Refresh>|<Edit tasks…>",
                "Alpha|<Refresh>|<Edit tasks…>", "Alpha|<Refresh>|<Edit tasks…>",
                "Alpha|alpha|<Refresh>|<Edit tasks…>", "Alpha|alpha|Beta|<Refresh>|<Edit tasks…>",
                "Alpha|alpha|Gamma|<Refresh>|<Edit tasks…>", "alpha|Gamma|<Refresh>|<Edit tasks…>",
                "alpha|Gamma|<Refresh>|<Edit tasks…>", "Gamma|<Refresh>|<Edit tasks…>"}));
  const QString refused = "Tallyworks W: The task cannot be stored: the subject must not ";
  expectShown({refused + "be empty", refused + "be \"<Refresh>\"", refused + "hold a control",
               "Tallyworks ?: There is a task \"Alpha\" already", "Tallyworks ?: There is a task",
               refused + "be empty", "Error Deleting Task W: "});
  EXPECT_EQ(store.task(timed.id)->status, TaskStatus::Complete);
}

}  // namespace
}  // namespace tw::test
