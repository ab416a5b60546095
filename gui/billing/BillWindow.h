#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "billing/Bill.h"
#include "billing/MoneyFormat.h"
#include "gui/billing/BillJob.h"

class QComboBox;
class QDateEdit;
class QGridLayout;
class QLabel;
class QPushButton;

namespace tw {

class BillView;
class BillingStore;
class JournalStore;
class StoreOpener;
struct WindowServices;

// "Billing": a client's bill for a period (this month, last month, this week or days chosen),
// in lines per task, day or entry. The bill is made on a worker thread and can be cancelled;
// the bill shown is printed, saved as PDF and marked invoiced (after a question naming the
// client and the days), and a client's invoiced days are unlocked again here.
class BillWindow : public QDialog {
  Q_OBJECT

 public:
  // Bills are read from the store at storePath through stores; marking and unlocking change
  // store and billing, the window's own connection.
  BillWindow(WindowServices& services, const StoreOpener& stores, std::string storePath,
             JournalStore& store, BillingStore& billing, QWidget* parent = nullptr);

  // Lists the clients again, keeping the one chosen.
  void reloadClients();

 private slots:
  void onPeriodChosen();
  void onDatesEdited();
  void onMakeClicked();
  void onCancelClicked();
  void onBillFinished();
  void onPrintClicked();
  void onSavePdfClicked();
  void onMarkInvoicedClicked();
  void onUnlockClicked();

 private:
  void buildControls(QWidget* parent);
  QGridLayout* controlsGrid();
  void buildButtons(QWidget* parent);
  void setWorking(bool working);
  // False, with a message, while there is no client to choose.
  bool clientChosen();
  BillRequest requested() const;
  DateTime today() const;
  // The bill shown as a document for the printer and the PDF, and its title there.
  QString billHtml() const;
  QString billTitle() const;
  // Names the client's invoiced days that meet the bill's period.
  void showInvoiced();
  void fail(const QString& doing, const std::exception& failure);

  WindowServices& services_;
  JournalStore& store_;
  BillingStore& billing_;
  BillJob job_;
  MoneyFormat money_;
  std::optional<Bill> bill_;
  bool waiting_ = false;

  QComboBox* client_ = nullptr;
  QComboBox* period_ = nullptr;
  QDateEdit* from_ = nullptr;
  QDateEdit* to_ = nullptr;
  QComboBox* per_ = nullptr;
  QPushButton* makeButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QLabel* state_ = nullptr;
  BillView* view_ = nullptr;
  QPushButton* printButton_ = nullptr;
  QPushButton* pdfButton_ = nullptr;
  QPushButton* invoiceButton_ = nullptr;
};

}  // namespace tw
