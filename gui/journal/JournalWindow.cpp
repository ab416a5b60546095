#include "gui/journal/JournalWindow.h"
#include "gui/common/NamedButton.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>

#include "core/CategoryTotals.h"
#include "core/Markers.h"
#include "core/TimeZone.h"
#include "gui/common/ClockText.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/QtDates.h"
#include "gui/common/WindowServices.h"
#include "gui/journal/JournalModel.h"
#include "store/JournalStore.h"
#include "tracking/JournalProblems.h"
#include "tracking/TrackingSession.h"

namespace tw {

namespace {

// "Design 1h 05m · Admin 30m · in all 1h 35m", markers left out.
QString totalsText(const std::vector<const JournalEntry*>& entries) {
  CategoryTotals totals;
  std::int64_t all = 0;
  for (const JournalEntry* e : entries) {
    if (!Markers::countsAsWork(*e)) continue;
    totals.add(e->categories.empty() ? "(no category)" : e->categories, e->minutes());
    all += e->minutes();
  }
  QStringList parts;
  for (const CategoryTotals::Total& t : totals.all())
    parts << QString::fromStdString(t.name) + " " + ClockText::hoursMinutes(t.minutes);
  parts << "in all " + ClockText::hoursMinutes(all);
  return parts.join(QStringLiteral("  ·  "));
}

// The entries of the days first through last, as the store gives them.
std::vector<JournalEntry> entriesOf(JournalStore& store, DateTime first, DateTime last) {
  std::vector<JournalEntry> entries;
  store.readDays(first, last, [&](JournalStore::EntryBatch batch) {
    entries.insert(entries.end(), batch.begin(), batch.end());
  });
  return entries;
}

// The entries with the one being timed at its seconds now.
std::vector<const JournalEntry*> live(std::vector<JournalEntry>& entries, std::int64_t runningId,
                                      std::int64_t seconds) {
  std::vector<const JournalEntry*> shown;
  for (JournalEntry& e : entries) {
    if (e.id == runningId) e.seconds = seconds;
    shown.push_back(&e);
  }
  return shown;
}

// Why entries of the week cannot be billed as they are, by id: both entries of an overlap.
std::map<std::int64_t, std::string> billingProblems(const std::vector<JournalEntry>& week,
                                                    Instant now) {
  std::map<std::int64_t, std::string> found;
  JournalProblems problems(now, [&](const JournalProblems::Problem& p) {
    found.emplace(p.entry.id, p.why());
    if (p.kind == JournalProblems::Kind::Overlap) found.emplace(p.other->id, p.whyOther());
  });
  for (const JournalEntry& e : week) problems.add(e);
  return found;
}

// Ctrl+Shift+Z and Ctrl+Y both redo, besides the platform's own keys; a key listed twice
// would make the shortcut ambiguous, and then neither worked.
QList<QKeySequence> redoKeys() {
  QList<QKeySequence> keys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                              QKeySequence(Qt::CTRL | Qt::Key_Y)};
  for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Redo))
    if (!keys.contains(key)) keys << key;
  return keys;
}

}  // namespace

JournalWindow::JournalWindow(JournalStore& store, TrackingSession& session, JournalEditor& editor,
                             WindowServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window),
      store_(store),
      session_(session),
      editor_(editor),
      services_(services),
      model_(new JournalModel(this)),
      undo_(new QUndoStack(this)) {
  setWindowTitle(QStringLiteral("Journal — Tallyworks"));
  resize(900, 520);
  auto* layout = new QVBoxLayout(this);
  buildTopRow(this, layout);
  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("journal"));
  table_->setModel(model_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->verticalHeader()->hide();
  table_->setWordWrap(false);
  table_->horizontalHeader()->setSectionResizeMode(JournalModel::kSubject, QHeaderView::Stretch);
  table_->horizontalHeader()->setSectionResizeMode(JournalModel::kNotes, QHeaderView::Stretch);
  layout->addWidget(table_);
  totals_ = new QLabel(this);
  totals_->setObjectName(QStringLiteral("totals"));
  totals_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(totals_);
  buildButtons(this, layout);

  tickTimer_ = new QTimer(this);
  tickTimer_->setObjectName(QStringLiteral("journalTick"));
  tickTimer_->setInterval(1000);
  connect(tickTimer_, &QTimer::timeout, this, &JournalWindow::onTick);
  tickTimer_->start();
  connect(model_, &JournalModel::editRequested, this, &JournalWindow::onEditRequested);
  connect(model_, &JournalModel::editRefused, this, [this](const QString& why) {
    services_.messages.show("Error changing the entry\r\n" + why, QStringLiteral("Journal"),
                            MessageBoxes::Icon::Warning);
  });
  showDay(today());
}

void JournalWindow::buildTopRow(QWidget* parent, QVBoxLayout* layout) {
  view_ = new QComboBox(parent);
  view_->setObjectName(QStringLiteral("view"));
  view_->addItems({QStringLiteral("Day"), QStringLiteral("Week")});
  period_ = new QLabel(parent);
  period_->setObjectName(QStringLiteral("period"));
  QFont bold = period_->font();
  bold.setBold(true);
  period_->setFont(bold);
  QPushButton* previous = namedButton(parent, "previousButton", QStringLiteral("◀ &Previous"));
  QPushButton* todayButton = namedButton(parent, "todayButton", QStringLiteral("T&oday"));
  QPushButton* next = namedButton(parent, "nextButton", QStringLiteral("&Next ▶"));
  auto* row = new QHBoxLayout;
  row->addWidget(view_);
  row->addWidget(previous);
  row->addWidget(todayButton);
  row->addWidget(next);
  row->addSpacing(12);
  row->addWidget(period_, 1);
  conflictsButton_ = namedButton(parent, "conflictsButton", QString());
  conflictsButton_->setToolTip(
      QStringLiteral("Your versions of changes the calendar server's replaced"));
  conflictsButton_->hide();
  row->addWidget(conflictsButton_);
  layout->addLayout(row);
  connect(conflictsButton_, &QPushButton::clicked, this, &JournalWindow::onConflictsClicked);
  connect(view_, &QComboBox::currentIndexChanged, this, &JournalWindow::onViewChanged);
  connect(previous, &QPushButton::clicked, this, &JournalWindow::onPreviousClicked);
  connect(todayButton, &QPushButton::clicked, this, &JournalWindow::onTodayClicked);
  connect(next, &QPushButton::clicked, this, &JournalWindow::onNextClicked);
}

void JournalWindow::buildButtons(QWidget* parent, QVBoxLayout* layout) {
  auto* row = new QHBoxLayout;
  const std::pair<const char*, QString> names[] = {
      {"addButton", QStringLiteral("&Add…")},
      {"splitButton", QStringLiteral("&Split…")},
      {"deleteButton", QStringLiteral("&Delete")},
      {"startMarkerButton", QStringLiteral("Start &Work…")},
      {"stopMarkerButton", QStringLiteral("Stop W&ork…")},
  };
  void (JournalWindow::*const handlers[])() = {
      &JournalWindow::onAddClicked, &JournalWindow::onSplitClicked, &JournalWindow::onDeleteClicked,
      &JournalWindow::onStartMarkerClicked, &JournalWindow::onStopMarkerClicked};
  for (std::size_t i = 0; i < std::size(names); ++i) {
    QPushButton* button = namedButton(parent, names[i].first, names[i].second);
    row->addWidget(button);
    connect(button, &QPushButton::clicked, this, handlers[i]);
  }
  row->addStretch();
  auto* undoAction = new QAction(QStringLiteral("Undo"), this);
  undoAction->setShortcut(QKeySequence::Undo);
  auto* redoAction = new QAction(QStringLiteral("Redo"), this);
  redoAction->setShortcuts(redoKeys());
  auto* deleteAction = new QAction(QStringLiteral("Delete"), this);
  deleteAction->setShortcut(QKeySequence::Delete);
  addActions({undoAction, redoAction, deleteAction});
  connect(undoAction, &QAction::triggered, this, &JournalWindow::onUndo);
  connect(redoAction, &QAction::triggered, this, &JournalWindow::onRedo);
  connect(deleteAction, &QAction::triggered, this, &JournalWindow::onDeleteClicked);
  QPushButton* undoButton = namedButton(parent, "undoButton", QStringLiteral("Undo"));
  QPushButton* redoButton = namedButton(parent, "redoButton", QStringLiteral("Redo"));
  undoButton->setEnabled(false);
  redoButton->setEnabled(false);
  row->addWidget(undoButton);
  row->addWidget(redoButton);
  connect(undoButton, &QPushButton::clicked, this, &JournalWindow::onUndo);
  connect(redoButton, &QPushButton::clicked, this, &JournalWindow::onRedo);
  connect(undo_, &QUndoStack::canUndoChanged, undoButton, &QPushButton::setEnabled);
  connect(undo_, &QUndoStack::canRedoChanged, redoButton, &QPushButton::setEnabled);
  connect(undo_, &QUndoStack::undoTextChanged, undoButton,
          [undoButton](const QString& text) { undoButton->setToolTip("Undo " + text); });
  connect(undo_, &QUndoStack::redoTextChanged, redoButton,
          [redoButton](const QString& text) { redoButton->setToolTip("Redo " + text); });
  layout->addLayout(row);
}

DateTime JournalWindow::today() const {
  const Instant now = services_.clock.now();
  return TimeZone::toLocal(now).date();
}

bool JournalWindow::weekShown() const {
  return view_->currentIndex() == 1;
}

// Weeks begin on Monday.
DateTime JournalWindow::weekStart() const {
  return day_.addDays(-((day_.dayOfWeek() + 6) % 7));
}

void JournalWindow::showDay(DateTime day) {
  day_ = day.date();
  reload();
}

void JournalWindow::showTaskOn(DateTime day, const QString& subject) {
  {
    const QSignalBlocker quiet(view_);  // one reading, by showDay
    view_->setCurrentIndex(0);
  }
  showDay(day);
  const std::string wanted = subject.toStdString();
  for (int row = 0; row < model_->rowCount(); ++row) {
    if (model_->entryAt(row).subject != wanted) continue;
    table_->selectRow(row);
    return;
  }
}

void JournalWindow::onPreviousClicked() {
  showDay(day_.addDays(weekShown() ? -7 : -1));
}

void JournalWindow::onNextClicked() {
  showDay(day_.addDays(weekShown() ? 7 : 1));
}

void JournalWindow::onTodayClicked() {
  showDay(today());
}

void JournalWindow::onViewChanged() {
  reload();
}

std::int64_t JournalWindow::runningId() const {
  return session_.tracking() && session_.held() ? session_.held()->id : 0;
}

// Only the week of the day shown is read: the store may hold years of entries.
void JournalWindow::reload() {
  const DateTime from = weekStart();
  week_.clear();
  dayEntries_.clear();
  try {
    changeCount_ = store_.changeCount();
    week_ = entriesOf(store_, from, from.addDays(6));
    dayEntries_ = entriesOf(store_, day_, day_);
  } catch (const std::exception& e) {
    fail(QStringLiteral("reading the journal"), e);
  }
  const QString first = QtDates::toQt(weekShown() ? from : day_).toString("dddd d MMMM yyyy");
  period_->setText(weekShown() ? "Week of " + first : first);
  model_->setEntries(weekShown() ? week_ : dayEntries_, weekShown());
  shownRunning_ = runningId();
  billingProblems_ = billingProblems(week_, services_.clock.now());
  model_->setBillingProblems(billingProblems_);
  showLive();
  showConflictCount();
  for (int column : {JournalModel::kStart, JournalModel::kEnd, JournalModel::kMinutes,
                     JournalModel::kCategories, JournalModel::kType})
    table_->resizeColumnToContents(column);
}

// The entry being timed with its seconds now, in its row and in the totals.
void JournalWindow::showLive() {
  const std::int64_t seconds = std::int64_t{session_.status().minutes} * 60;
  model_->setRunning(shownRunning_, seconds);
  const QString dayName = QtDates::toQt(day_).toString(QStringLiteral("ddd d MMM"));
  const auto marked = std::count_if(dayEntries_.begin(), dayEntries_.end(),
                                    [&](const auto& e) { return billingProblems_.contains(e.id); });
  const QString toCheck =
      marked == 0 ? QString()
                  : QStringLiteral("  ·  %1 marked: cannot be billed as %2 (see the tooltips)")
                        .arg(marked)
                        .arg(marked == 1 ? QStringLiteral("it is") : QStringLiteral("they are"));
  totals_->setText(dayName + ":  " + totalsText(live(dayEntries_, shownRunning_, seconds)) +
                   toCheck + "\nWeek:  " + totalsText(live(week_, shownRunning_, seconds)));
}

void JournalWindow::onTick() {
  try {
    if (runningId() != shownRunning_ || store_.changeCount() != changeCount_) {
      reload();
      return;
    }
  } catch (const std::exception& e) {
    tickTimer_->stop();
    fail(QStringLiteral("reading the journal"), e);
    return;
  }
  if (shownRunning_ != 0) showLive();
}

int JournalWindow::selectedRow() const {
  const QModelIndexList rows = table_->selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.front().row();
}

}  // namespace tw
