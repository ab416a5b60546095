#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <string>

#include "core/DateTime.h"

class QWidget;

namespace tw {

class BillWindow;
class BillingStore;
class JournalStore;
class StoreOpener;
class TimesheetWindow;
struct WindowServices;

// The billing windows of a main window: the Clients window (modal), and one Billing and one
// Timesheet window kept while it lives. They share the store's billing records on the main
// window's connection, opened when first needed.
class BillingWindows : public QObject {
  Q_OBJECT

 public:
  // Bills are made from the store at storePath through stores, on connections of their own.
  BillingWindows(WindowServices& services, const StoreOpener& stores, std::string storePath,
                 JournalStore& store, QWidget* parent);
  ~BillingWindows() override;

  void openClients();
  void openBilling();
  void openTimesheet();

 signals:
  // The timesheet asks for the journal on the day, with the task's entry selected.
  void journalRequested(DateTime day, const QString& subject);

 private:
  // Null, after a message, when the store keeps no billing records.
  BillingStore* billing();
  static void bringUp(QWidget& window);

  WindowServices& services_;
  const StoreOpener& stores_;
  std::string storePath_;
  JournalStore& store_;
  QWidget* parent_;
  std::unique_ptr<BillingStore> billing_;
  QPointer<BillWindow> bill_;
  QPointer<TimesheetWindow> timesheet_;
};

}  // namespace tw
