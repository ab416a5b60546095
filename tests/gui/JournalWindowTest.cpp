#include <QApplication>
#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include "WindowFixture.h"
#include "gui/common/QtDates.h"
#include "gui/journal/EntryDialog.h"
#include "gui/journal/JournalModel.h"
#include "gui/journal/JournalWindow.h"
#include "store/sqlite/SqliteSyncState.h"
#include "sync/ConflictCopies.h"
#include "sync/TaskKind.h"

namespace tw::test {
namespace {

class JournalWindowTest : public WindowFixture {
 protected:
  void open() {
    addTask("Alpha", "Design");
    load();
    window->openJournal();
    journal = window->findChild<JournalWindow*>("journalWindow");
    table = journal->findChild<QTableView*>("journal");
  }
  JournalModel& model() const { return *static_cast<JournalModel*>(table->model()); }
  void press(const char* button) const {
    journal->findChild<QPushButton*>(QString::fromLatin1(button))->click();
  }
  void select(int row) const { table->selectRow(row); }
  // The store's entries of the week in start order, as "subject hh:mm +minutes".
  QString week() {
    QStringList all;
    store.readDays(at(11, 0), at(17, 0), [&](JournalStore::EntryBatch batch) {
      for (const JournalEntry& e : batch)
        all << QtDates::toQt(e.localStart()).toString("ddd hh:mm ") +
                   QString::fromStdString(e.subject) + " +" + QString::number(e.minutes());
    });
    return all.join(", ");
  }
  // The next dialog gets its date-time editors set to these, in order, and is accepted.
  void answerWith(const std::vector<DateTime>& moments) {
    desktop.onDialog = [moments](QDialog& dialog) {
      const QList<QDateTimeEdit*> edits = dialog.findChildren<QDateTimeEdit*>();
      for (qsizetype i = 0; i < edits.size(); ++i)
        edits[i]->setDateTime(QtDates::toQt(moments.at(static_cast<std::size_t>(i))));
      return static_cast<int>(QDialog::Accepted);
    };
  }

  JournalWindow* journal = nullptr;
  QTableView* table = nullptr;
};

// Only the week of the day shown is read; markers count in no total.
TEST_F(JournalWindowTest, ShowsADayOrAWeekWithTotalsPerCategory) {
  addEntry("Alpha", at(11, 8), "Design", 30);
  addEntry("Beta", at(11, 10), "Admin", 45);
  addMarker("Stop Work", at(11, 12));
  addEntry("Alpha", at(17, 23), "Design", 60);
  addEntry("Earlier", at(10, 23, 59), "Design", 99);
  clock.setLocal(at(11, 23));
  open();
  EXPECT_EQ(model().rowCount(), 3);
  const QString totals = journal->findChild<QLabel*>("totals")->text();
  EXPECT_EQ(totals,
            "Mon 11 Mar:  Design 30m  ·  Admin 45m  ·  in all 1h 15m\n"
            "Week:  Design 1h 30m  ·  Admin 45m  ·  in all 2h 15m");
  journal->findChild<QComboBox*>("view")->setCurrentIndex(1);
  EXPECT_EQ(model().rowCount(), 4);
  press("previousButton");
  EXPECT_EQ(model().rowCount(), 1);
}

// Entries that cannot be billed as they are show tinted with why, and the day's line counts
// them; "Start Work…" where one opens the period already offers to move that one; no marker is
// placed ahead of now.
TEST_F(JournalWindowTest, MarksWhatCannotBeBilledAndMovesARepeatedStartWork) {
  clock.setLocal(at(11, 12));
  addMarker("Start Work", at(11, 8, 59));
  addEntry("Alpha", at(11, 9), "Design", 60);
  addEntry("Beta", at(11, 9, 30), "Admin", 60);
  open();
  const QModelIndex beta = model().index(2, JournalModel::kSubject);
  EXPECT_TRUE(model().data(beta, Qt::ToolTipRole).toString().contains("overlaps \"Alpha\""));
  EXPECT_TRUE(model().data(beta, Qt::BackgroundRole).isValid());
  EXPECT_TRUE(journal->findChild<QLabel*>("totals")->text().contains("2 marked: cannot be billed"));
  desktop.replies = {true};
  answerWith({at(11, 8, 30)}), press("startMarkerButton");
  EXPECT_EQ(week(), "Mon 08:30 Start Work +0, Mon 09:00 Alpha +60, Mon 09:30 Beta +60");
  answerWith({at(11, 13)}), press("startMarkerButton");
  model().setData(model().index(0, JournalModel::kStart), "12:30", Qt::EditRole);
  expectShown({"Journal ?: \"Start Work\" at Mon 11 Mar 08:59 already opens",
               "Journal ?: \"Start Work\" at Mon 11 Mar 08:30 already opens",
               "Journal W: Error placing the marker\r\nA work marker cannot be placed later",
               "Journal W: Error changing the entry\r\nA work marker cannot be placed later"});
}

// Each change is stored at once; undoing them one by one gives back each earlier journal, and
// redoing them all the last one.
TEST_F(JournalWindowTest, EveryChangeIsStoredAndCanBeUndoneAndMadeAgain) {
  clock.setLocal(at(11, 18));
  addEntry("Alpha", at(11, 9), "Design", 60);
  open();
  const std::function<void()> changes[] = {
      [&] { model().setData(model().index(0, JournalModel::kMinutes), 90, Qt::EditRole); },
      [&] { answerWith({at(11, 10)}), select(0), press("splitButton"); },
      [&] {
        answerWith({at(11, 13), at(11, 14)}), press("addButton");
      },
      [&] { answerWith({at(11, 14, 30)}), press("stopMarkerButton"); },
      [&] { select(0), press("deleteButton"); },
  };
  QStringList journals{week()};
  for (const auto& change : changes) {
    change();
    QCoreApplication::processEvents();
    journals << week();
  }
  EXPECT_EQ(journals.back(), "Mon 10:00 Alpha +30, Mon 13:00 Alpha +60, Mon 14:30 Stop Work +0");
  for (qsizetype i = journals.size() - 2; i >= 0; --i) {
    press("undoButton");
    EXPECT_EQ(week(), journals[i]);
  }
  for (std::size_t i = 0; i < std::size(changes); ++i) press("redoButton");
  EXPECT_EQ(week(), journals.back());
  expectShown({});
}

// Starts and ends are typed in place as times of the row's day: Enter and Tab keep what was
// typed, Escape leaves the entry as it was. Ctrl+Shift+Z and Ctrl+Y both redo.
TEST_F(JournalWindowTest, TimesAreTypedInPlaceAndRedoHasTwoKeys) {
  addEntry("Alpha", at(11, 9), "Design", 60);
  open();
  const auto type = [&](int column, const QString& text, Qt::Key key) {
    const QModelIndex index = model().index(0, column);
    table->setCurrentIndex(index);
    table->edit(index);
    auto* editor = table->viewport()->findChild<QLineEdit*>();
    if (!editor) return QStringLiteral("no editor");
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, key);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return week();
  };
  QStringList weeks{week()};
  weeks << type(JournalModel::kEnd, "10:05 PM", Qt::Key_Return);
  weeks << type(JournalModel::kStart, "22:05", Qt::Key_Escape);
  weeks << type(JournalModel::kStart, "8:30", Qt::Key_Tab);
  EXPECT_EQ(weeks, (QStringList{"Mon 09:00 Alpha +60", "Mon 09:00 Alpha +785",
                                "Mon 09:00 Alpha +785", "Mon 08:30 Alpha +785"}));
  press("undoButton");
  press("undoButton");
  QApplication::setActiveWindow(journal);
  QTest::keyClick(journal, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(week(), weeks[1]);
  QTest::keyClick(journal, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(week(), weeks[3]);
  expectShown({});
}

TEST_F(JournalWindowTest, TheTimedEntryShowsLive) {
  open();
  choose("Alpha");
  click("startButton");
  clock.advance(5 * 60);
  journal->onTick();
  const int row = model().rowCount() - 1;  // after the "Start Work" marker
  EXPECT_EQ(model().data(model().index(row, JournalModel::kMinutes), Qt::DisplayRole), 5);
}

// An entry an older version or a calendar stored with a length of 99,999,999 weeks: its end
// cannot be shown, but the window shows the rest, flags it and lets it be corrected.
TEST_F(JournalWindowTest, EntriesOutOfRangeAreShownFlaggedAndCanBeCorrected) {
  JournalEntry endless = addEntry("Endless", at(11, 9), "Design", 10);
  endless.seconds = 99'999'999LL * 7 * 86400;
  store.updateEntry(endless);
  clock.setLocal(at(11, 12));
  open();
  ASSERT_EQ(model().rowCount(), 1);
  const auto cell = [&](int column, int role) {
    return model().data(model().index(0, column), role);
  };
  EXPECT_EQ(cell(JournalModel::kEnd, Qt::DisplayRole), "out of range");
  EXPECT_EQ(cell(JournalModel::kStart, Qt::DisplayRole), "09:00");
  EXPECT_TRUE(
      cell(JournalModel::kSubject, Qt::ToolTipRole)
          .toString()
          .contains("the length, 1,007,999,989,920 minutes, is more than 1,000,000 minutes"));
  journal->findChild<QComboBox*>("view")->setCurrentIndex(1);
  journal->onTick();
  EXPECT_TRUE(journal->findChild<QLabel*>("totals")->text().startsWith("Mon 11 Mar:  Design "));
  EXPECT_FALSE(model().setData(model().index(0, JournalModel::kEnd), QDateTime(), Qt::EditRole));
  ASSERT_TRUE(model().setData(model().index(0, JournalModel::kMinutes), 30, Qt::EditRole));
  QCoreApplication::processEvents();
  EXPECT_EQ(store.entry(endless.id)->seconds, 1800);
  EXPECT_EQ(cell(JournalModel::kSubject, Qt::ToolTipRole).toString(), "");
  expectShown({});
}

// A version that lost to the calendar server's is offered until it is restored or dismissed.
TEST_F(JournalWindowTest, ConflictCopiesAreOfferedAndRestored) {
  const Task task = addTask("Ours");
  const std::string mine = TaskKind().serialise(task.uid, {"Mine", "", "0"}, "", clock.now());
  ConflictCopies copies(store, std::make_unique<SqliteSyncState>(store));
  SqliteSyncState(store).addConflict({0, SyncState::Kind::Task, task.uid, "subject", mine, 0});
  open();
  window->setConflictCopies(&copies);
  auto* button = journal->findChild<QPushButton*>("conflictsButton");
  EXPECT_FALSE(button->isHidden());
  EXPECT_EQ(button->text(), "Conflicts (1)…");
  desktop.onDialog = [](QDialog& dialog) {
    auto* tree = dialog.findChild<QTreeWidget*>("conflicts");
    EXPECT_EQ(tree->topLevelItem(0)->child(0)->text(2), "Mine");
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    dialog.findChild<QPushButton*>("restoreButton")->click();
    return static_cast<int>(QDialog::Rejected);
  };
  button->click();
  EXPECT_EQ(store.taskByUid(task.uid)->subject, "Mine");
  EXPECT_TRUE(button->isHidden());
  expectShown({});
}

}  // namespace
}  // namespace tw::test
