// The billing windows, reached from the context menu of the main window and its task list.
#include <QAction>

#include "gui/billing/BillingWindows.h"
#include "gui/journal/JournalWindow.h"
#include "gui/main/MainWindow.h"

namespace tw {

void MainWindow::addBillingActions(const QList<QWidget*>& menus) {
  auto* separator = new QAction(this);
  separator->setSeparator(true);
  auto* clients = new QAction(QStringLiteral("C&lients…"), this);
  clients->setObjectName(QStringLiteral("clientsAction"));
  auto* billing = new QAction(QStringLiteral("&Billing…"), this);
  billing->setObjectName(QStringLiteral("billingAction"));
  auto* timesheet = new QAction(QStringLiteral("Time&sheet…"), this);
  timesheet->setObjectName(QStringLiteral("timesheetAction"));
  for (QWidget* w : menus) w->addActions({separator, clients, billing, timesheet});
  connect(clients, &QAction::triggered, this, &MainWindow::openClients);
  connect(billing, &QAction::triggered, this, &MainWindow::openBilling);
  connect(timesheet, &QAction::triggered, this, &MainWindow::openTimesheet);
}

BillingWindows* MainWindow::billingWindows() {
  if (!store_) {
    messages_.show(storeFailure_, QStringLiteral("Billing"), MessageBoxes::Icon::Critical);
    return nullptr;
  }
  if (!billing_) {
    billing_ = new BillingWindows(guardedServices_, stores_, storePath_, *store_, this);
    connect(billing_, &BillingWindows::journalRequested, this,
            [this](DateTime day, const QString& subject) {
              openJournal();
              if (journal_) journal_->showTaskOn(day, subject);
            });
  }
  return billing_;
}

void MainWindow::openClients() {
  if (BillingWindows* windows = billingWindows()) windows->openClients();
}

void MainWindow::openBilling() {
  if (BillingWindows* windows = billingWindows()) windows->openBilling();
}

void MainWindow::openTimesheet() {
  if (BillingWindows* windows = billingWindows()) windows->openTimesheet();
}

}  // namespace tw
