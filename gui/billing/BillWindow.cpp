#include "gui/billing/BillWindow.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <utility>

#include "billing/BillHtml.h"
#include "billing/BillLabels.h"
#include "billing/Invoicing.h"
#include "core/CaseFold.h"
#include "core/Clock.h"
#include "core/Settings.h"
#include "core/TimeZone.h"
#include "gui/billing/BillView.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/NamedButton.h"
#include "gui/common/PdfPrinter.h"
#include "gui/common/QtDates.h"
#include "gui/common/ReportPrinter.h"
#include "gui/common/SaveDialog.h"
#include "gui/common/Text.h"
#include "gui/common/WindowError.h"
#include "gui/common/WindowServices.h"
#include "store/BillingStore.h"

namespace tw {

namespace {

// In the order of the period list.
enum Period { kThisMonth, kLastMonth, kThisWeek, kLastWeek, kChosen };

QDate toQDate(DateTime day) {
  return {day.year(), day.month(), day.day()};
}

DateTime fromQDate(QDate day) {
  return DateTime::fromParts(day.year(), day.month(), day.day());
}

DateTime firstOfMonth(DateTime day) {
  return DateTime::fromParts(day.year(), day.month(), 1);
}

// Weeks begin on Monday, as in the journal and the timesheet.
DateTime monday(DateTime day) {
  return day.addDays(-((day.dayOfWeek() + 6) % 7));
}

QString describe(const BillRequest& request) {
  return text(InvoicedPeriod{0, request.client, request.first, request.last, 0}.describe());
}

}  // namespace

BillWindow::BillWindow(WindowServices& services, const StoreOpener& stores, std::string storePath,
                       JournalStore& store, BillingStore& billing, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      services_(services),
      store_(store),
      billing_(billing),
      job_(stores, std::move(storePath)),
      money_(MoneyFormat::fromEnvironment()),
      view_(new BillView(this)) {
  setWindowTitle(QStringLiteral("Billing"));
  setSizeGripEnabled(true);
  view_->setObjectName(QStringLiteral("bill"));
  auto* layout = new QVBoxLayout(this);
  buildControls(this);
  layout->addLayout(controlsGrid());
  layout->addWidget(state_);
  layout->addWidget(view_, 1);
  buildButtons(this);
  reloadClients();
  onPeriodChosen();
  setWorking(false);
  resize(760, 480);
  connect(&job_, &BillJob::finished, this, &BillWindow::onBillFinished);
}

void BillWindow::buildControls(QWidget* parent) {
  client_ = new QComboBox(parent);
  client_->setObjectName(QStringLiteral("client"));
  client_->setMinimumContentsLength(12);
  period_ = new QComboBox(parent);
  period_->setObjectName(QStringLiteral("period"));
  period_->addItems({QStringLiteral("This month"), QStringLiteral("Last month"),
                     QStringLiteral("This week"), QStringLiteral("Last week"),
                     QStringLiteral("Days chosen")});
  from_ = new QDateEdit(parent);
  from_->setObjectName(QStringLiteral("fromDate"));
  to_ = new QDateEdit(parent);
  to_->setObjectName(QStringLiteral("toDate"));
  for (QDateEdit* edit : {from_, to_}) {
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("d MMM yyyy"));
    connect(edit, &QDateEdit::dateChanged, this, &BillWindow::onDatesEdited);
  }
  per_ = new QComboBox(parent);
  per_->setObjectName(QStringLiteral("per"));
  per_->addItems({QStringLiteral("Per task"), QStringLiteral("Per day"),
                  QStringLiteral("Per entry")});  // in the order of BillRequest::Per
  per_->setCurrentIndex(
      static_cast<int>(BillRequest::parsePer(Settings::loadDefault().billLines())));
  // Enter anywhere makes the bill: it changes nothing.
  makeButton_ = new QPushButton(QStringLiteral("&Make Bill"), parent);
  makeButton_->setObjectName(QStringLiteral("makeBillButton"));
  makeButton_->setDefault(true);
  cancelButton_ = namedButton(parent, "cancelBillButton", QStringLiteral("C&ancel"));
  state_ = new QLabel(parent);
  state_->setObjectName(QStringLiteral("billState"));
  state_->setWordWrap(true);
  connect(period_, &QComboBox::currentIndexChanged, this, &BillWindow::onPeriodChosen);
  connect(makeButton_, &QPushButton::clicked, this, &BillWindow::onMakeClicked);
  connect(cancelButton_, &QPushButton::clicked, this, &BillWindow::onCancelClicked);
}

// Two rows, so that the window fits a small screen at a large scale: the client and the lines
// beside Make Bill, the period and its days beside Cancel.
QGridLayout* BillWindow::controlsGrid() {
  const auto label = [this](const QString& text, QWidget* buddy) {
    auto* shown = new QLabel(text, this);
    shown->setBuddy(buddy);
    return shown;
  };
  auto* lines = new QHBoxLayout;
  lines->addWidget(label(QStringLiteral("&Lines:"), per_));
  lines->addWidget(per_);
  lines->addStretch();
  auto* days = new QHBoxLayout;
  days->addWidget(from_);
  days->addWidget(new QLabel(QStringLiteral("to"), this));
  days->addWidget(to_);
  days->addStretch();
  auto* grid = new QGridLayout;
  grid->addWidget(label(QStringLiteral("Clien&t:"), client_), 0, 0);
  grid->addWidget(client_, 0, 1);
  grid->addLayout(lines, 0, 2);
  grid->addWidget(makeButton_, 0, 3);
  grid->addWidget(label(QStringLiteral("P&eriod:"), period_), 1, 0);
  grid->addWidget(period_, 1, 1);
  grid->addLayout(days, 1, 2);
  grid->addWidget(cancelButton_, 1, 3);
  grid->setColumnStretch(2, 1);
  return grid;
}

void BillWindow::buildButtons(QWidget* parent) {
  printButton_ = namedButton(parent, "printBillButton", QStringLiteral("&Print"));
  pdfButton_ = namedButton(parent, "pdfButton", QStringLiteral("Save as P&DF…"));
  invoiceButton_ = namedButton(parent, "markInvoicedButton", QStringLiteral("Mark &Invoiced…"));
  QPushButton* unlock = namedButton(parent, "unlockButton", QStringLiteral("&Unlock…"));
  auto* close = new QDialogButtonBox(QDialogButtonBox::Close, parent);
  close->button(QDialogButtonBox::Close)->setAutoDefault(false);
  auto* row = new QHBoxLayout;
  for (QPushButton* button : {printButton_, pdfButton_, invoiceButton_, unlock})
    row->addWidget(button);
  row->addStretch();
  row->addWidget(close);
  static_cast<QVBoxLayout*>(layout())->addLayout(row);
  connect(printButton_, &QPushButton::clicked, this, &BillWindow::onPrintClicked);
  connect(pdfButton_, &QPushButton::clicked, this, &BillWindow::onSavePdfClicked);
  connect(invoiceButton_, &QPushButton::clicked, this, &BillWindow::onMarkInvoicedClicked);
  connect(unlock, &QPushButton::clicked, this, &BillWindow::onUnlockClicked);
  connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void BillWindow::reloadClients() {
  const QString chosen = client_->currentText();
  const QSignalBlocker quiet(client_);
  client_->clear();
  try {
    for (const Client& client : billing_.clients()) client_->addItem(text(client.name));
  } catch (const std::exception& e) {
    fail(QStringLiteral("reading the clients"), e);
  }
  if (const int at = client_->findText(chosen); at >= 0) client_->setCurrentIndex(at);
}

DateTime BillWindow::today() const {
  return TimeZone::toLocal(services_.clock.now()).date();
}

void BillWindow::onPeriodChosen() {
  const DateTime now = today();
  DateTime first = now;
  DateTime last = now;
  switch (period_->currentIndex()) {
    case kThisMonth:
      first = firstOfMonth(now);
      last = firstOfMonth(first.addDays(31)).addDays(-1);
      break;
    case kLastMonth:
      last = firstOfMonth(now).addDays(-1);
      first = firstOfMonth(last);
      break;
    case kThisWeek:
    case kLastWeek:
      first = monday(now).addDays(period_->currentIndex() == kLastWeek ? -7 : 0);
      last = first.addDays(6);
      break;
    default:
      return;  // the days chosen stay
  }
  const QSignalBlocker quietFrom(from_);
  const QSignalBlocker quietTo(to_);
  from_->setDate(toQDate(first));
  to_->setDate(toQDate(last));
}

void BillWindow::onDatesEdited() {
  const QSignalBlocker quiet(period_);
  period_->setCurrentIndex(kChosen);
}

BillRequest BillWindow::requested() const {
  BillRequest request;
  request.client = client_->currentText().toStdString();
  request.first = fromQDate(from_->date());
  request.last = fromQDate(to_->date());
  request.per = static_cast<BillRequest::Per>(per_->currentIndex());
  return request;
}

void BillWindow::setWorking(bool working) {
  makeButton_->setEnabled(!working);
  cancelButton_->setEnabled(working);
  for (QPushButton* button : {printButton_, pdfButton_, invoiceButton_})
    button->setEnabled(!working && bill_.has_value());
}

bool BillWindow::clientChosen() {
  if (client_->currentIndex() >= 0) return true;
  services_.messages.show(QStringLiteral("There is no client yet: add one in the Clients window."),
                          QStringLiteral("Billing"), MessageBoxes::Icon::Warning);
  return false;
}

void BillWindow::onMakeClicked() {
  if (!clientChosen()) return;
  const BillRequest request = requested();
  // What was shown goes: print, PDF and marking act on the bill the label names.
  view_->clear();
  bill_.reset();
  state_->setText("Making the bill: " + describe(request) + "…");
  waiting_ = true;
  job_.start(request);
  setWorking(true);
}

void BillWindow::onCancelClicked() {
  job_.cancel();
  waiting_ = false;
  state_->setText(QStringLiteral("Cancelled."));
  setWorking(false);
}

// A finish reported for a job that was cancelled, or replaced by a newer one, is not shown.
void BillWindow::onBillFinished() {
  if (!waiting_ || job_.running()) return;
  waiting_ = false;
  std::optional<Bill> bill = job_.takeBill();
  if (!bill) {
    state_->setText(QString());
    setWorking(false);
    services_.messages.show("Error making the bill\r\n" + job_.failure(), QStringLiteral("Billing"),
                            MessageBoxes::Icon::Warning);
    return;
  }
  try {
    view_->setBill(*bill, money_);
    bill_ = std::move(bill);
    showInvoiced();
  } catch (const std::exception& e) {
    view_->clear();
    bill_.reset();
    state_->setText(QString());
    fail(QStringLiteral("showing the bill"), e);
  }
  setWorking(false);
}

void BillWindow::showInvoiced() {
  QStringList marked;
  for (const InvoicedPeriod& period : billing_.invoiced())
    if (CaseFold::equal(period.client, bill_->request.client) &&
        period.first <= bill_->request.last && bill_->request.first <= period.last)
      marked << text(period.describe());
  state_->setText(text(BillLabels::title(*bill_) + "; " + BillLabels::terms(*bill_)) +
                  (marked.isEmpty() ? QString() : "   Invoiced: " + marked.join("; ")));
}

QString BillWindow::billHtml() const {
  return text(BillHtml::write(*bill_, money_));
}

QString BillWindow::billTitle() const {
  return text("Bill " + BillLabels::title(*bill_));
}

void BillWindow::onPrintClicked() {
  try {
    services_.printer.printDocument(billTitle(), billHtml());
  } catch (const std::exception& e) {
    fail(QStringLiteral("printing the bill"), e);
  }
}

void BillWindow::onSavePdfClicked() {
  const QString offered = billTitle().replace('/', '-') + ".pdf";
  const QString path =
      services_.saveDialog.getSaveFileName(this, QStringLiteral("*.pdf"), "pdf", offered);
  if (path.isEmpty()) return;
  try {
    PdfPrinter(path).printDocument(billTitle(), billHtml());
  } catch (const std::exception& e) {
    fail(QStringLiteral("saving the bill"), e);
  }
}

// Marks the days of the bill shown, not what the fields say since.
void BillWindow::onMarkInvoicedClicked() {
  const BillRequest& shown = bill_->request;
  if (!services_.messages.ask("Mark " + describe(shown) +
                                  " as invoiced?\n\nThe client's entries of these days can then "
                                  "no longer be changed until the period is unlocked.",
                              QStringLiteral("Mark Invoiced"))) {
    return;
  }
  try {
    Invoicing(store_, billing_).mark(shown.client, shown.first, shown.last);
    showInvoiced();
  } catch (const std::exception& e) {
    fail(QStringLiteral("marking the period invoiced"), e);
  }
}

void BillWindow::onUnlockClicked() {
  if (!clientChosen()) return;
  const BillRequest request = requested();
  if (!services_.messages.ask("Unlock " + describe(request) +
                                  "?\n\nThe client's entries of these days can then be changed "
                                  "again.",
                              QStringLiteral("Unlock"))) {
    return;
  }
  try {
    Invoicing(store_, billing_).undo(request.client, request.first, request.last);
    state_->setText("Unlocked: " + describe(request));
    if (bill_) showInvoiced();
  } catch (const std::exception& e) {
    fail(QStringLiteral("unlocking the period"), e);
  }
}

void BillWindow::fail(const QString& doing, const std::exception& failure) {
  services_.messages.show("Error " + doing + "\r\n" + WindowError::describe(failure),
                          QStringLiteral("Billing"), MessageBoxes::Icon::Warning);
}

}  // namespace tw
