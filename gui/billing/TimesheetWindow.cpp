#include "gui/billing/TimesheetWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "billing/MoneyFormat.h"
#include "billing/TimesheetBuilder.h"
#include "core/Clock.h"
#include "core/TimeZone.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/NamedButton.h"
#include "gui/common/QtDates.h"
#include "gui/common/Text.h"
#include "gui/common/WindowError.h"
#include "gui/common/WindowServices.h"

namespace tw {

namespace {

constexpr int kTaskColumn = 0;
constexpr int kFirstDayColumn = 1;
constexpr int kRoundingColumn = kFirstDayColumn + 7;
constexpr int kTotalColumn = kRoundingColumn + 1;

QTableWidgetItem* cell(const QString& shown, bool bold) {
  auto* item = new QTableWidgetItem(shown);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  if (bold) {
    QFont font = item->font();
    font.setBold(true);
    item->setFont(font);
  }
  return item;
}

// Hours as h:mm; an empty cell for no time.
QString hours(std::int64_t seconds) {
  return seconds == 0 ? QString() : text(MoneyFormat::hoursMinutes(seconds));
}

QString groupTitle(const Timesheet::Group& group) {
  switch (group.kind) {
    case Timesheet::Group::Kind::Client:
      return text(group.client);
    case Timesheet::Group::Kind::NoClient:
      return QStringLiteral("No client");
    case Timesheet::Group::Kind::SeveralClients:
      return QStringLiteral("Two clients or more (not billed)");
  }
  return {};
}

}  // namespace

TimesheetWindow::TimesheetWindow(WindowServices& services, JournalStore& store,
                                 BillingStore& billing, QWidget* parent)
    : QWidget(parent, Qt::Window),
      services_(services),
      store_(store),
      billing_(billing),
      period_(new QLabel(this)),
      grid_(new QTableWidget(0, kTotalColumn + 1, this)) {
  setWindowTitle(QStringLiteral("Timesheet"));
  period_->setObjectName(QStringLiteral("period"));
  QFont bold = period_->font();
  bold.setBold(true);
  period_->setFont(bold);
  grid_->setObjectName(QStringLiteral("timesheet"));
  grid_->verticalHeader()->hide();
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  grid_->horizontalHeader()->setSectionResizeMode(kTaskColumn, QHeaderView::Stretch);
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

  QPushButton* previous = namedButton(this, "previousWeekButton", QStringLiteral("◀ &Previous"));
  QPushButton* thisWeek = namedButton(this, "thisWeekButton", QStringLiteral("&This Week"));
  QPushButton* next = namedButton(this, "nextWeekButton", QStringLiteral("&Next ▶"));
  auto* top = new QHBoxLayout;
  top->addWidget(previous);
  top->addWidget(thisWeek);
  top->addWidget(next);
  top->addSpacing(12);
  top->addWidget(period_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(grid_);
  resize(820, 420);

  connect(previous, &QPushButton::clicked, this, &TimesheetWindow::onPreviousClicked);
  connect(thisWeek, &QPushButton::clicked, this, &TimesheetWindow::onThisWeekClicked);
  connect(next, &QPushButton::clicked, this, &TimesheetWindow::onNextClicked);
  connect(grid_, &QTableWidget::cellDoubleClicked, this, &TimesheetWindow::onCellDoubleClicked);
  day_ = today();
}

DateTime TimesheetWindow::today() const {
  return TimeZone::toLocal(services_.clock.now()).date();
}

void TimesheetWindow::showWeek(DateTime anyDay) {
  day_ = anyDay.date();
  reload();
}

void TimesheetWindow::onPreviousClicked() {
  showWeek(day_.addDays(-7));
}

void TimesheetWindow::onNextClicked() {
  showWeek(day_.addDays(7));
}

void TimesheetWindow::onThisWeekClicked() {
  showWeek(today());
}

void TimesheetWindow::reload() {
  try {
    sheet_ = TimesheetBuilder(store_, billing_).week(day_);
  } catch (const std::exception& e) {
    sheet_ = Timesheet{};
    sheet_.monday = day_.addDays(-((day_.dayOfWeek() + 6) % 7));
    services_.messages.show("Error reading the journal\r\n" + WindowError::describe(e),
                            QStringLiteral("Timesheet"), MessageBoxes::Icon::Warning);
  }
  fill();
}

void TimesheetWindow::fill() {
  period_->setText("Week of " +
                   QtDates::toQt(sheet_.monday).toString(QStringLiteral("dddd d MMMM yyyy")));
  QStringList headers{QStringLiteral("Task")};
  for (int i = 0; i < 7; ++i)
    headers << QtDates::toQt(sheet_.day(i)).toString(QStringLiteral("ddd d"));
  headers << QStringLiteral("Rounding") << QStringLiteral("Total");
  grid_->setHorizontalHeaderLabels(headers);
  bool rounded = false;
  for (const Timesheet::Group& group : sheet_.groups)
    for (const Timesheet::Row& row : group.rows) rounded |= row.rounding != 0;
  grid_->setColumnHidden(kRoundingColumn, !rounded);
  grid_->setRowCount(0);
  rowTasks_.clear();
  for (const Timesheet::Group& group : sheet_.groups) addGroup(group);
  addRow(QStringLiteral("Week"), sheet_.days, 0, sheet_.total, true);
}

void TimesheetWindow::addGroup(const Timesheet::Group& group) {
  QString title = groupTitle(group);
  if (group.kind == Timesheet::Group::Kind::Client && group.billed != group.total)
    title += " (billed " + text(MoneyFormat::hoursMinutes(group.billed)) + ")";
  const int head = addRow(title, group.days, group.rounding, group.total, true);
  for (int column = 0; column < grid_->columnCount(); ++column)
    grid_->item(head, column)->setBackground(palette().alternateBase());
  // Only a client's tasks may be billed: elsewhere "not billed" would say nothing.
  const bool client = group.kind == Timesheet::Group::Kind::Client;
  for (const Timesheet::Row& task : group.rows) {
    const QString name =
        "    " + text(task.subject) + (client && !task.billable ? " (not billed)" : "");
    const int row = addRow(name, task.days, task.rounding, task.total, false);
    rowTasks_[static_cast<std::size_t>(row)] = text(task.subject);
  }
}

int TimesheetWindow::addRow(const QString& title, const Timesheet::Days& days,
                            std::int64_t rounding, std::int64_t total, bool bold) {
  const int row = grid_->rowCount();
  grid_->insertRow(row);
  rowTasks_.emplace_back();
  grid_->setItem(row, kTaskColumn, cell(title, bold));
  for (int i = 0; i < 7; ++i)
    grid_->setItem(row, kFirstDayColumn + i,
                   cell(hours(days.at(static_cast<std::size_t>(i))), bold));
  grid_->setItem(row, kRoundingColumn, cell(hours(rounding), bold));
  grid_->setItem(row, kTotalColumn, cell(hours(total), bold));
  for (int column = kFirstDayColumn; column <= kTotalColumn; ++column)
    grid_->item(row, column)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return row;
}

// Only a task's day leads to the journal: totals have no one entry to show.
void TimesheetWindow::onCellDoubleClicked(int row, int column) {
  if (column < kFirstDayColumn || column >= kRoundingColumn) return;
  const QString& task = rowTasks_.at(static_cast<std::size_t>(row));
  if (task.isEmpty()) return;
  emit journalRequested(sheet_.day(column - kFirstDayColumn), task);
}

}  // namespace tw
