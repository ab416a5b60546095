// The billing windows (Timesheet…, Billing…, Clients… in the window's menu).
#include "gui/billing/BillingWindows.h"
#include "gui/journal/JournalWindow.h"
#include "gui/main/MainWindow.h"

namespace tw {

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
