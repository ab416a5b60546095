#include "gui/billing/TaskRatesTable.h"

#include <QComboBox>
#include <QHeaderView>
#include <utility>

#include "billing/Currency.h"
#include "gui/common/Text.h"

namespace tw {

namespace {

enum Column { kTask, kRate, kBillable, kColumns };
// The choices of the billable column, in this order.
enum Billable { kAsClient, kYes, kNo };

// The latest of the task's own rates, as typed; empty when it has none. Throws BillingError for
// an unknown currency.
QString ownRate(const TaskRatesTable::Row& row, const std::string& currency) {
  if (row.rates.empty()) return {};
  return text(Currency::of(currency).plain(row.rates.back().minorPerHour));
}

}  // namespace

TaskRatesTable::TaskRatesTable(QWidget* parent) : QTableWidget(0, kColumns, parent) {
  setHorizontalHeaderLabels(
      {QStringLiteral("Task"), QStringLiteral("Own rate per hour"), QStringLiteral("Billed")});
  horizontalHeader()->setSectionResizeMode(kTask, QHeaderView::Stretch);
  horizontalHeader()->setSectionResizeMode(kRate, QHeaderView::ResizeToContents);
  horizontalHeader()->setSectionResizeMode(kBillable, QHeaderView::ResizeToContents);
  verticalHeader()->hide();
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // Only a double-click or F2 starts an edit: typing changes no rate by accident.
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  connect(this, &QTableWidget::itemChanged, this, &TaskRatesTable::onItemChanged);
}

void TaskRatesTable::setRows(std::vector<Row> rows, const std::string& currency) {
  filling_ = true;
  rows_ = std::move(rows);
  setRowCount(0);
  for (const Row& row : rows_) {
    const int at = rowCount();
    insertRow(at);
    auto* task = new QTableWidgetItem(text(row.task.subject));
    task->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    setItem(at, kTask, task);
    auto* rate = new QTableWidgetItem(ownRate(row, currency));
    rate->setToolTip(QStringLiteral("Empty: the client's rate"));
    setItem(at, kRate, rate);
    auto* billable = new QComboBox(this);
    billable->addItems(
        {QStringLiteral("As the client"), QStringLiteral("Yes"), QStringLiteral("No")});
    billable->setCurrentIndex(!row.billable ? kAsClient : *row.billable ? kYes : kNo);
    const QString subject = text(row.task.subject);
    connect(billable, &QComboBox::activated, this, [this, subject](int index) {
      emit billableChosen(subject,
                          index == kAsClient ? std::nullopt : std::optional<bool>(index == kYes));
    });
    setCellWidget(at, kBillable, billable);
  }
  filling_ = false;
}

void TaskRatesTable::onItemChanged(QTableWidgetItem* item) {
  if (filling_ || item->column() != kRate) return;
  emit rateEdited(text(rows_.at(static_cast<std::size_t>(item->row())).task.subject),
                  item->text().trimmed());
}

}  // namespace tw
