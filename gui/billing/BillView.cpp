#include "gui/billing/BillView.h"

#include <QHeaderView>
#include <QStyle>
#include <QTreeWidgetItemIterator>

#include "billing/Bill.h"
#include "billing/BillLabels.h"
#include "billing/Currency.h"
#include "billing/MoneyFormat.h"
#include "gui/common/Text.h"

namespace tw {

namespace {

// What a line stands for, in the words of the bill's other forms; its notes have a column of
// their own here.
QString lineLabel(const Bill::Line& line) {
  Bill::Line bare = line;
  bare.notes.clear();
  return text(BillLabels::line(bare));
}

void setHours(QTreeWidgetItem& item, std::int64_t seconds, const MoneyFormat& money) {
  item.setText(BillView::kHours, text(money.decimalHours(seconds)));
  item.setText(BillView::kHoursMinutes, text(MoneyFormat::hoursMinutes(seconds)));
  for (int column : {BillView::kHours, BillView::kHoursMinutes, BillView::kRate, BillView::kAmount})
    item.setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
}

void setBold(QTreeWidgetItem& item) {
  QFont font = item.font(BillView::kItem);
  font.setBold(true);
  for (int column = 0; column < BillView::kColumns; ++column) item.setFont(column, font);
}

QString roundingText(std::int64_t seconds) {
  const std::int64_t minutes = (seconds < 0 ? -seconds : seconds) / 60;
  const std::int64_t rest = (seconds < 0 ? -seconds : seconds) % 60;
  const QString amount = rest == 0 ? QStringLiteral("%1 min").arg(minutes)
                                   : QStringLiteral("%1 min %2 s").arg(minutes).arg(rest);
  if (seconds > 0) return "Rounding added " + amount;
  if (seconds < 0) return "Rounding took away " + amount;
  return QStringLiteral("Rounding changed nothing");
}

}  // namespace

BillView::BillView(QWidget* parent) : QTreeWidget(parent) {
  setColumnCount(kColumns);
  setHeaderLabels({QStringLiteral("Task"), QStringLiteral("Notes"), QStringLiteral("Hours"),
                   QStringLiteral("h:mm"), QStringLiteral("Rate"), QStringLiteral("Amount")});
  header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  header()->setSectionResizeMode(kNotes, QHeaderView::Stretch);
  header()->setStretchLastSection(false);
  setRootIsDecorated(true);
  setAlternatingRowColors(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
}

void BillView::setBill(const Bill& bill, const MoneyFormat& money) {
  const Currency currency = Currency::of(bill.client.currency);
  clear();
  addSections(bill, money, currency);
  addTotals(bill, money, currency);
  addUnbilled(bill, money);
  addProblems(bill);
  expandAll();
  // Notes come with lines per entry and the problems; other bills leave the room to the rest.
  bool notes = false;
  for (QTreeWidgetItemIterator it(this); *it != nullptr && !notes; ++it)
    notes = !(*it)->text(kNotes).isEmpty();
  setColumnHidden(kNotes, !notes);
  header()->setSectionResizeMode(kItem,
                                 notes ? QHeaderView::ResizeToContents : QHeaderView::Stretch);
}

void BillView::addSections(const Bill& bill, const MoneyFormat& money, const Currency& currency) {
  for (const Bill::Section& section : bill.sections) {
    auto* head = new QTreeWidgetItem(this, {text(section.subject)});
    setHours(*head, section.billedSeconds, money);
    head->setText(kAmount, text(money.amount(section.amount, currency)));
    setBold(*head);
    // A task's only line says nothing its heading does not: its rate goes up there.
    if (section.lines.size() == 1 && lineLabel(section.lines.front()).isEmpty()) {
      head->setText(kRate, text(money.amount(section.lines.front().rate, currency)));
      continue;
    }
    for (const Bill::Line& line : section.lines) addLine(*head, line, money, currency);
  }
}

void BillView::addLine(QTreeWidgetItem& head, const Bill::Line& line, const MoneyFormat& money,
                       const Currency& currency) {
  auto* item = new QTreeWidgetItem(&head, {lineLabel(line), text(line.notes)});
  setHours(*item, line.billedSeconds, money);
  if (line.kind == Bill::Line::Kind::Work)
    item->setText(kRate, text(money.amount(line.rate, currency)));
  item->setText(kAmount, text(money.amount(line.amount, currency)));
  if (line.billedSeconds != line.seconds)
    item->setToolTip(kHoursMinutes, "Timed " + text(MoneyFormat::hoursMinutes(line.seconds)));
}

void BillView::addTotals(const Bill& bill, const MoneyFormat& money, const Currency& currency) {
  auto* total = new QTreeWidgetItem(this, {QStringLiteral("Total")});
  setHours(*total, bill.billedSeconds, money);
  total->setText(kAmount, text(money.amount(bill.amount, currency)));
  setBold(*total);
  const QString timed = text(MoneyFormat::hoursMinutes(bill.seconds));
  auto* rounding =
      new QTreeWidgetItem(this, {roundingText(bill.roundingSeconds()) + " to " + timed + " timed"});
  setHours(*rounding, bill.roundingSeconds(), money);
}

void BillView::addUnbilled(const Bill& bill, const MoneyFormat& money) {
  if (bill.unbilled.empty()) return;
  auto* head = new QTreeWidgetItem(this, {QStringLiteral("Not billed")});
  setHours(*head, bill.unbilledSeconds, money);
  setBold(*head);
  for (const Bill::Unbilled& task : bill.unbilled)
    setHours(*new QTreeWidgetItem(head, {text(task.subject)}), task.seconds, money);
}

void BillView::addProblems(const Bill& bill) {
  if (bill.problems.empty()) return;
  auto* head = new QTreeWidgetItem(this, {QStringLiteral("Problems in this period")});
  head->setIcon(kItem, style()->standardIcon(QStyle::SP_MessageBoxWarning));
  setBold(*head);
  for (const Bill::Problem& problem : bill.problems)
    new QTreeWidgetItem(head, {text(BillLabels::day(problem.day)), text(problem.text)});
}

}  // namespace tw
