#include "gui/billing/BillingWindows.h"

#include <utility>

#include "gui/billing/BillWindow.h"
#include "gui/billing/ClientsDialog.h"
#include "gui/billing/TimesheetWindow.h"
#include "gui/common/DialogRunner.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/WindowError.h"
#include "gui/common/WindowServices.h"
#include "store/StoreOpener.h"

namespace tw {

BillingWindows::BillingWindows(WindowServices& services, const StoreOpener& stores,
                               std::string storePath, JournalStore& store, QWidget* parent)
    : QObject(parent),
      services_(services),
      stores_(stores),
      storePath_(std::move(storePath)),
      store_(store),
      parent_(parent) {}

// The windows use the billing records: they go first.
BillingWindows::~BillingWindows() {
  delete bill_.data();
  delete timesheet_.data();
}

BillingStore* BillingWindows::billing() {
  if (!billing_) {
    try {
      billing_ = stores_.billing(store_);
    } catch (const std::exception& e) {
      services_.messages.show(WindowError::describe(e), QStringLiteral("Billing"),
                              MessageBoxes::Icon::Critical);
    }
  }
  return billing_.get();
}

void BillingWindows::bringUp(QWidget& window) {
  window.show();
  window.raise();
  window.activateWindow();
}

void BillingWindows::openClients() {
  BillingStore* billing = this->billing();
  if (!billing) return;
  ClientsDialog dialog(services_, store_, *billing, parent_);
  dialog.setObjectName(QStringLiteral("clientsDialog"));
  if (bill_) connect(&dialog, &ClientsDialog::clientsChanged, bill_, &BillWindow::reloadClients);
  if (timesheet_)
    connect(&dialog, &ClientsDialog::clientsChanged, timesheet_, &TimesheetWindow::reload);
  services_.dialogs.exec(dialog);
}

void BillingWindows::openBilling() {
  BillingStore* billing = this->billing();
  if (!billing) return;
  if (!bill_) {
    bill_ = new BillWindow(services_, stores_, storePath_, store_, *billing, parent_);
    bill_->setObjectName(QStringLiteral("billWindow"));
  }
  bill_->reloadClients();
  bringUp(*bill_);
}

void BillingWindows::openTimesheet() {
  BillingStore* billing = this->billing();
  if (!billing) return;
  if (!timesheet_) {
    timesheet_ = new TimesheetWindow(services_, store_, *billing, parent_);
    timesheet_->setObjectName(QStringLiteral("timesheetWindow"));
    connect(timesheet_, &TimesheetWindow::journalRequested, this,
            &BillingWindows::journalRequested);
  }
  timesheet_->reload();
  bringUp(*timesheet_);
}

}  // namespace tw
