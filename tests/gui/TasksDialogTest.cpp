#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include "WindowFixture.h"
#include "gui/tasks/TasksDialog.h"

namespace tw::test {
namespace {

using TasksDialogTest = WindowFixture;

// The tasks window opens from the end of the task list; the list follows each change at once.
// A task that journal entries refer to is not deleted; closing it is offered instead. A rename
// takes the task's entries along; Undo gives both their old subject back.
TEST_F(TasksDialogTest, TasksAreAddedRenamedClosedAndDeletedThroughTheList) {
  const Task timed = addTask("Alpha", "Design");
  JournalEntry timedEntry = addEntry("Alpha", at(10, 9));
  timedEntry.taskUid = timed.uid;
  store.updateEntry(timedEntry);
  load();
  QStringList lists;
  std::vector<std::string> renamed;
  desktop.replies = {false, true, false, true};
  desktop.onDialog = [&](QDialog& dialog) {
    auto* subject = dialog.findChild<QLineEdit*>("newSubject");
    auto* table = dialog.findChild<QTableWidget*>("tasks");
    const auto press = [&](const char* name) {
      dialog.findChild<QPushButton*>(QString::fromLatin1(name))->click();
      lists << listed();
    };
    for (const char* name : {"  ", "ALPHA", "alpha", "Beta"}) {
      subject->setText(name);
      press("addTaskButton");
    }
    table->item(2, 0)->setText("Gamma");  // renamed
    lists << listed();
    table->item(2, 0)->setText("");  // refused
    table->selectRow(0);
    for (int i = 0; i < 3; ++i) press("deleteTaskButton");  // No, Yes: closed, closed already
    table->selectRow(1);
    press("closeTaskButton");
    table->selectRow(2);
    press("deleteTaskButton");
    table->item(0, 0)->setText("Delta");  // takes the entry along, undone as one change
    renamed = subjects();
    dialog.findChild<QPushButton*>("undoButton")->click();
    return 0;
  };
  choose("<Edit tasks…>");
  const QString all = "|<Refresh>|<Edit tasks…>";
  EXPECT_EQ(lists, (QStringList{"Alpha" + all, "Alpha" + all, "Alpha|alpha" + all,
                                "Alpha|alpha|Beta" + all, "Alpha|alpha|Gamma" + all,
                                "Alpha|alpha|Gamma" + all, "alpha|Gamma" + all, "alpha|Gamma" + all,
                                "Gamma" + all, all.mid(1)}));
  const QString refused = "Tallyworks W: The task cannot be stored: the subject must not ";
  const QString why = "\"Alpha\" is not deleted: 1 journal entry refers to it.";
  expectShown({refused + "be empty", "Tallyworks ?: There is a task \"Alpha\" already",
               "Tallyworks ?: There is a task", refused + "be empty",
               "Delete Task ?: " + why + " Close it instead?", "Delete Task ?: " + why,
               "Delete Task -: " + why + " It is closed already"});
  EXPECT_EQ(store.task(timed.id)->status, TaskStatus::Complete);
  EXPECT_EQ(store.tasks().size(), 2u);
  EXPECT_EQ(renamed, std::vector<std::string>{"Delta"});
  EXPECT_EQ(subjects(), std::vector<std::string>{"Alpha"});
  EXPECT_EQ(store.task(timed.id)->subject, "Alpha");
}

// Keys in the tasks window, shown over the main window: typing goes to "New task", Enter adds
// from either field, and no key changes the task selected unless F2 or a double-click began
// an edit of it.
TEST_F(TasksDialogTest, KeysAddTasksAndChangeOnlyWhatTheUserPointsAt) {
  addTask("Existing", "Old");
  using Keys = std::function<void(QDialog&, QTableWidget&)>;
  const struct {
    const char* name;
    Keys keys;
    QString listed;
  } cases[] = {
      {"typed where the window opens",
       [](QDialog& dialog, QTableWidget&) {
         QTest::keyClicks(dialog.focusWidget(), QStringLiteral("Enter test"));
         QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
       },
       "Existing|Enter test"},
      {"Enter in Categories",
       [](QDialog& dialog, QTableWidget&) {
         dialog.findChild<QLineEdit*>("newSubject")->setText("Second");
         auto* categories = dialog.findChild<QLineEdit*>("newCategories");
         QTest::keyClicks(categories, QStringLiteral("Admin"));
         QTest::keyClick(categories, Qt::Key_Return);
         EXPECT_EQ(dialog.focusWidget()->objectName(), "newSubject");  // for the next task
       },
       "Existing|Enter test|Second"},
      {"typed on the table, then Enter",
       [](QDialog&, QTableWidget& table) {
         table.setFocus();
         table.selectRow(0);
         QTest::keyClicks(&table, QStringLiteral("Oops"));
         QTest::keyClick(&table, Qt::Key_Return);
       },
       "Existing|Enter test|Second"},
      {"Enter on Close Task",
       [](QDialog& dialog, QTableWidget& table) {
         table.selectRow(0);
         QTest::keyClick(dialog.findChild<QPushButton*>("closeTaskButton"), Qt::Key_Return);
       },
       "Existing|Enter test|Second"},
      {"F2 renames",
       [](QDialog&, QTableWidget& table) {
         table.setFocus();
         table.setCurrentCell(0, 0);
         QTest::keyClick(&table, Qt::Key_F2);
         auto* editor = table.viewport()->findChild<QLineEdit*>();
         ASSERT_NE(editor, nullptr);
         editor->selectAll();
         QTest::keyClicks(editor, QStringLiteral("Renamed"));
         QTest::keyClick(editor, Qt::Key_Return);
         QCoreApplication::processEvents();  // the delegate commits after the key
       },
       "Renamed|Enter test|Second"},
  };
  load();
  window->move(200, 200);
  window->show();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    desktop.onDialog = [&](QDialog& dialog) {
      dialog.show();
      EXPECT_EQ(dialog.focusWidget()->objectName(), "newSubject");
      EXPECT_LT((dialog.geometry().center() - window->geometry().center()).manhattanLength(), 40);
      c.keys(dialog, *dialog.findChild<QTableWidget*>("tasks"));
      return 0;
    };
    child<QAction>("tasksAction")->trigger();
    EXPECT_EQ(listed(), c.listed + "|<Refresh>|<Edit tasks…>");
  }
  std::vector<std::string> kept;
  for (const Task& task : store.tasks())
    kept.push_back(task.subject + "/" + task.categories + "/" + std::to_string(task.isOpen()));
  EXPECT_EQ(kept, (std::vector<std::string>{"Renamed/Old/1", "Enter test//1", "Second/Admin/1"}));
  expectShown({});
}

// On an empty store the window leads to the tasks window: from the list, from Start, and Last
// says why it does nothing.
TEST_F(TasksDialogTest, AnEmptyStoreLeadsToTheTasksWindow) {
  load();
  window->onTick();
  EXPECT_EQ(status(), "Stopped|Add a task: click the list, or Ctrl+T");
  int opened = 0;
  desktop.onDialog = [&](QDialog& dialog) {
    ++opened;
    dialog.findChild<QLineEdit*>("newSubject")->setText("First");
    if (opened == 2) QTest::keyClick(dialog.findChild<QLineEdit*>("newSubject"), Qt::Key_Return);
    return 0;
  };
  window->show();
  click("lastButton");
  desktop.replies = {true};
  click("startButton");
  QTest::mouseClick(child<QComboBox>("taskList"), Qt::LeftButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(listed(), "First|<Refresh>|<Edit tasks…>");
  click("startButton");
  expectShown({"Last -: There is nothing to resume", "Start ?: There is no open task",
               "Tallyworks W: Select a Task"});
}

}  // namespace
}  // namespace tw::test
