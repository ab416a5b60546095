// The changes made in the journal window, each saved at once and pushed for undoing.
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <QUndoStack>

#include "core/EntryRules.h"
#include "core/Markers.h"
#include "core/TimeZone.h"
#include "gui/common/DialogRunner.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/QtDates.h"
#include "gui/common/WindowError.h"
#include "gui/common/WindowServices.h"
#include "gui/journal/EntryDialog.h"
#include "gui/journal/JournalModel.h"
#include "gui/journal/JournalWindow.h"
#include "gui/journal/MomentDialog.h"
#include "gui/sync/ConflictsDialog.h"
#include "store/JournalStore.h"
#include "tracking/JournalEditor.h"
#include "tracking/TaskList.h"

namespace tw {
namespace {

// "Mon 11 Mar 09:00".
QString timeText(DateTime at) {
  return QtDates::toQt(at).toString(QStringLiteral("ddd d MMM HH:mm"));
}

}  // namespace

void JournalWindow::fail(const QString& doing, const std::exception& failure) {
  services_.messages.show("Error " + doing + "\r\n" + WindowError::describe(failure),
                          QStringLiteral("Journal"), MessageBoxes::Icon::Warning);
}

void JournalWindow::push(const QString& text, std::vector<JournalChange::Step> steps) {
  undo_->push(new JournalChange(text, std::move(steps), store_, editor_));
}

// The start of the entry selected, else now on today's page, else nine o'clock.
DateTime JournalWindow::suggestedMoment() const {
  const int row = selectedRow();
  const Instant now = services_.clock.now();
  if (row >= 0)
    if (const std::optional<DateTime> start = JournalModel::localStart(model_->entryAt(row)))
      return *start;
  const DateTime local = TimeZone::toLocal(now);
  if (local.date() == day_) return local.addSeconds(-local.second());
  return day_.addSeconds(9 * 3600);
}

// An edit in place arrives while the table's editor is still committing it: the page is read
// again once that is done. A marker, of which only the start is edited, is never moved later
// than now.
void JournalWindow::onEditRequested(const JournalEntry& before, const JournalEntry& after) {
  try {
    if (Markers::isMarker(after)) {
      const Instant now = services_.clock.now();
      push(QStringLiteral("edit"), {{before, editor_.moveMarker(before, after.localStart(), now)}});
    } else {
      editor_.change(after);
      push(QStringLiteral("edit"), {{before, after}});
    }
  } catch (const std::exception& e) {
    fail(QStringLiteral("changing the entry"), e);
  }
  QTimer::singleShot(0, this, &JournalWindow::reload);
}

void JournalWindow::onAddClicked() {
  QStringList tasks;
  try {
    const TaskList open(store_.tasks());
    for (const Task& task : open.tasks()) tasks << QString::fromStdString(task.subject);
  } catch (const std::exception& e) {
    fail(QStringLiteral("getting the tasks"), e);
    return;
  }
  const DateTime start = suggestedMoment();
  EntryDialog dialog(tasks, start, start.addMinutes(60), this);
  if (services_.dialogs.exec(dialog) != QDialog::Accepted) return;
  try {
    const JournalEntry added =
        editor_.add(dialog.task().toStdString(), dialog.start(), dialog.end());
    push(QStringLiteral("add"), {{std::nullopt, added}});
  } catch (const std::exception& e) {
    fail(QStringLiteral("adding the entry"), e);
  }
  reload();
}

void JournalWindow::onSplitClicked() {
  const int row = selectedRow();
  if (row < 0 || Markers::isMarker(model_->entryAt(row))) return;
  const JournalEntry before = model_->entryAt(row);
  if (const std::string why = EntryRules::whyInvalid(before); !why.empty()) {
    services_.messages.show(QString::fromStdString("The entry holds values Tallyworks no longer "
                                                   "accepts (" +
                                                   why + "); correct them first."),
                            QStringLiteral("Journal"), MessageBoxes::Icon::Warning);
    return;
  }
  const DateTime middle = before.localStart().addMinutes(before.minutes() / 2);
  MomentDialog dialog(QStringLiteral("Split Entry"),
                      QStringLiteral("Split \"%1\" at").arg(QString::fromStdString(before.subject)),
                      middle, this);
  if (services_.dialogs.exec(dialog) != QDialog::Accepted) return;
  try {
    const JournalEntry after = editor_.split(before.id, dialog.moment());
    const std::optional<JournalEntry> cut = store_.entry(before.id);
    push(QStringLiteral("split"), {{before, cut}, {std::nullopt, after}});
  } catch (const std::exception& e) {
    fail(QStringLiteral("splitting the entry"), e);
  }
  reload();
}

// The journal editor refuses the entry being timed.
void JournalWindow::onDeleteClicked() {
  const int row = selectedRow();
  if (row < 0) return;
  const JournalEntry removed = model_->entryAt(row);
  try {
    editor_.remove(removed.id);
    push(QStringLiteral("delete"), {{removed, std::nullopt}});
  } catch (const std::exception& e) {
    fail(QStringLiteral("deleting the entry"), e);
  }
  reload();
}

void JournalWindow::onStartMarkerClicked() {
  addMarker(true);
}

void JournalWindow::onStopMarkerClicked() {
  addMarker(false);
}

// A "Start Work" placed where one already opens the period is offered as a move of that one.
void JournalWindow::addMarker(bool opening) {
  const QString name = opening ? QStringLiteral("Start Work") : QStringLiteral("Stop Work");
  MomentDialog dialog(name, "Place \"" + name + "\" at", suggestedMoment(), this);
  if (services_.dialogs.exec(dialog) != QDialog::Accepted) return;
  const DateTime at = dialog.moment();
  const Instant now = services_.clock.now();
  try {
    const std::optional<JournalEntry> repeated =
        opening ? editor_.startWorkToMove(at) : std::nullopt;
    if (repeated && services_.messages.ask(QStringLiteral("\"Start Work\" at %1 already opens this "
                                                          "period of work, with no \"Stop Work\" "
                                                          "between. Move it to %2 instead of "
                                                          "placing a second one?")
                                               .arg(timeText(repeated->localStart()), timeText(at)),
                                           QStringLiteral("Journal")))
      push("move " + name, {{repeated, editor_.moveMarker(*repeated, at, now)}});
    else
      push("add " + name, {{std::nullopt, editor_.addMarker(opening, at, now)}});
  } catch (const std::exception& e) {
    fail(QStringLiteral("placing the marker"), e);
  }
  reload();
}

void JournalWindow::onUndo() {
  if (!undo_->canUndo()) return;
  try {
    undo_->undo();
  } catch (const std::exception& e) {
    fail("undoing the " + undo_->undoText(), e);
  }
  reload();
}

void JournalWindow::onRedo() {
  if (!undo_->canRedo()) return;
  try {
    undo_->redo();
  } catch (const std::exception& e) {
    fail("redoing the " + undo_->redoText(), e);
  }
  reload();
}

void JournalWindow::setConflictCopies(ConflictCopies* copies) {
  conflicts_ = copies;
  showConflictCount();
}

void JournalWindow::showConflictCount() {
  std::size_t count = 0;
  try {
    count = conflicts_ ? conflicts_->count() : 0;
  } catch (const std::exception& e) {
    fail(QStringLiteral("reading the conflicts"), e);
  }
  conflictsButton_->setText(QStringLiteral("Conflicts (%1)…").arg(count));
  conflictsButton_->setVisible(count > 0);
}

void JournalWindow::onConflictsClicked() {
  if (!conflicts_) return;
  ConflictsDialog dialog(*conflicts_, services_.messages, this);
  connect(&dialog, &ConflictsDialog::changed, this, &JournalWindow::reload);
  services_.dialogs.exec(dialog);
  reload();
}

}  // namespace tw
