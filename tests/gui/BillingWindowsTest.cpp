#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinterInfo>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include "WindowFixture.h"
#include "billing/BillBuilder.h"
#include "billing/BillHtml.h"
#include "billing/BillLabels.h"
#include "billing/ClientBook.h"
#include "billing/Currency.h"
#include "billing/Invoicing.h"
#include "billing/MoneyFormat.h"
#include "billing/TimesheetBuilder.h"
#include "gui/common/DefaultPrinter.h"
#include "gui/common/QtDates.h"
#include "gui/journal/JournalModel.h"
#include "gui/journal/JournalWindow.h"

namespace tw::test {
namespace {

class BillingWindowsTest : public WindowFixture {
 protected:
  void SetUp() override {
    addTask("Layout", "Acme, Design");
    addTask("Support", "Globex");
    book.add("Acme", rated("EUR", "80", 15));
    book.add("Globex", rated("JPY", "9000", 0));
    addEntry("Layout", at(11, 9), "Acme, Design", 50);
    addEntry("Layout", at(12, 10), "Acme, Design", 20);
    addEntry("Support", at(12, 14), "Globex", 45);
    load();
  }
  static ClientBook::Change rated(const char* currency, const char* rate, int minutes) {
    ClientBook::Change change;
    change.currency = currency;
    change.rate = rate;
    change.roundMinutes = minutes;
    change.roundMode = RoundingRule::Mode::Up;
    return change;
  }
  // The clients with their rounding, flags and rates, as "Acme EUR 15/0/0 billed: 8000 from -".
  QString clients() {
    QStringList all;
    for (const Client& c : book.clients()) {
      QString line = QString::fromStdString(c.name + " " + c.currency) +
                     QStringLiteral(" %1/%2/%3 ")
                         .arg(c.rounding.minutes)
                         .arg(static_cast<int>(c.rounding.mode))
                         .arg(static_cast<int>(c.rounding.place)) +
                     (c.billable ? "billed:" : "unbilled:");
      for (const Rate& r : book.rates(c.name))
        line += QStringLiteral(" %1 from %2")
                    .arg(r.minorPerHour)
                    .arg(r.from ? QtDates::toQt(*r.from).toString("MM-dd") : "-");
      all << line;
    }
    return all.join(" | ");
  }
  // Asks for the bill and waits until the window takes requests again.
  void makeBill(QWidget& bill) {
    bill.findChild<QPushButton*>("makeBillButton")->click();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return bill.findChild<QPushButton*>("makeBillButton")->isEnabled(); }));
  }
  QWidget* opened(const char* name) const { return window->findChild<QWidget*>(name); }

  std::unique_ptr<BillingStore> billing = SqliteStoreOpener().billing(store);
  ClientBook book{store, *billing};
};

// The form saves what differs from the client shown: a changed rate takes effect on the day
// chosen (today unless another is picked), earlier time keeps its rate; a refusal changes
// nothing; removing asks first.
TEST_F(BillingWindowsTest, ClientsWindowSavesWhatWasChangedOnly) {
  using Step = std::function<void(QDialog&)>;
  const auto field = [](QDialog& d, const char* name, const QString& typed) {
    auto* edit = d.findChild<QLineEdit*>(name);
    edit->setText(typed);
    QTest::keyClick(edit, Qt::Key_Return);  // Enter saves the client shown
  };
  const struct {
    const char* name;
    Step step;
    QString clients;
    QStringList shown;
  } steps[] = {
      {"a new rate from today",
       [&](QDialog& d) { field(d, "rate", "90.50"); },
       "Acme EUR 15/0/0 billed: 8000 from - 9050 from 03-11 | Globex JPY 0/0/0 billed: 9000 "
       "from -",
       {}},
      {"rounding alone",
       [&](QDialog& d) {
         d.findChild<QComboBox*>("roundPlace")->setCurrentIndex(2);
         d.findChild<QPushButton*>("saveClientButton")->click();
       },
       "Acme EUR 15/0/2 billed: 8000 from - 9050 from 03-11 | Globex JPY 0/0/0 billed: 9000 "
       "from -",
       {}},
      {"an amount the currency cannot hold",
       [&](QDialog& d) { field(d, "rate", "1.005"); },
       "Acme EUR 15/0/2 billed: 8000 from - 9050 from 03-11 | Globex JPY 0/0/0 billed: 9000 "
       "from -",
       {"Clients W: Error changing the client"}},
      {"a new client from a category",
       [&](QDialog& d) {
         d.findChild<QPushButton*>("newClientButton")->click();
         d.findChild<QComboBox*>("clientName")->setEditText("Design");
         d.findChild<QLineEdit*>("currency")->setText("kwd");
         field(d, "rate", "12.5");
       },
       "Acme EUR 15/0/2 billed: 8000 from - 9050 from 03-11 | Design KWD 0/1/0 billed: 12500 "
       "from - | Globex JPY 0/0/0 billed: 9000 from -",
       {}},
      {"removing, not confirmed then confirmed",
       [&](QDialog& d) {
         desktop.replies = {false, true};
         d.findChild<QListWidget*>("clients")->setCurrentRow(1);
         d.findChild<QPushButton*>("removeClientButton")->click();
         d.findChild<QPushButton*>("removeClientButton")->click();
       },
       "Acme EUR 15/0/2 billed: 8000 from - 9050 from 03-11 | Globex JPY 0/0/0 billed: 9000 "
       "from -",
       {"Remove Client ?: Remove the client \"Design\"", "Remove Client ?: Remove the client"}},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.name);
    desktop.onDialog = [&](QDialog& d) { return s.step(d), 0; };
    window->openClients();
    EXPECT_EQ(clients(), s.clients);
    expectShown(s.shown);
  }
}

// A task of the client gets a rate and a billable flag of its own from the table.
TEST_F(BillingWindowsTest, TasksGetTheirOwnRateAndBillableFlag) {
  desktop.onDialog = [&](QDialog& d) {
    auto* table = d.findChild<QTableWidget*>("taskRates");
    EXPECT_EQ(table->rowCount(), 1);  // Layout: Support is Globex's
    table->item(0, 1)->setText("120");
    QCoreApplication::processEvents();
    qobject_cast<QComboBox*>(table->cellWidget(0, 2))->setCurrentIndex(2);
    emit qobject_cast<QComboBox*>(table->cellWidget(0, 2))->activated(2);
    QCoreApplication::processEvents();
    return 0;
  };
  window->openClients();
  const Task layout = *store.taskByUid(store.tasks().front().uid);
  std::vector<Rate> own;
  for (const Rate& r : billing->rates())
    if (r.taskUid == layout.uid) own.push_back(r);
  ASSERT_EQ(own.size(), 1U);
  EXPECT_EQ(own[0].minorPerHour, 12000);
  EXPECT_EQ(billing->taskBillable(layout.uid), std::optional<bool>(false));
  expectShown({});
}

// The quick periods, from today on the hand-driven clock (weeks begin on Monday).
TEST_F(BillingWindowsTest, QuickPeriodsFollowToday) {
  const struct {
    DateTime today;
    int choice;
    QString days;
  } cases[] = {
      {at(11, 9), 0, "2024-03-01 2024-03-31"},
      {at(11, 9), 1, "2024-02-01 2024-02-29"},
      {at(17, 9), 2, "2024-03-11 2024-03-17"},
      {at(11, 9), 3, "2024-03-04 2024-03-10"},
      {DateTime::fromParts(2025, 1, 2), 1, "2024-12-01 2024-12-31"},
  };
  window->openBilling();
  QWidget* bill = opened("billWindow");
  auto* period = bill->findChild<QComboBox*>("period");
  for (const auto& c : cases) {
    clock.setWall(TimeZone::fromLocal(c.today));
    period->setCurrentIndex(4);
    period->setCurrentIndex(c.choice);
    EXPECT_EQ(bill->findChild<QDateEdit*>("fromDate")->date().toString(Qt::ISODate) + " " +
                  bill->findChild<QDateEdit*>("toDate")->date().toString(Qt::ISODate),
              c.days);
  }
}

// The bill shown is the billing library's: printed as its document, saved as a PDF, marked invoiced
// only after a question naming client and days, and unlocked again.
TEST_F(BillingWindowsTest, BillIsPrintedSavedMarkedAndUnlocked) {
  window->openBilling();
  QWidget* bill = opened("billWindow");
  makeBill(*bill);
  BillRequest request{"Acme", at(1, 0), at(31, 0), BillRequest::Per::Task};
  const Bill expected = BillBuilder(store, *billing).build(request);
  auto* view = bill->findChild<QTreeWidget*>("bill");
  const MoneyFormat money = MoneyFormat::fromEnvironment();
  EXPECT_EQ(view->topLevelItem(1)->text(0), "Total");
  EXPECT_EQ(view->topLevelItem(1)->text(5).toStdString(),
            money.amount(expected.amount, Currency::of("EUR")));

  const QString html = QString::fromStdString(BillHtml::write(expected, money));
  bill->findChild<QPushButton*>("printBillButton")->click();
  EXPECT_EQ(desktop.printed, QStringList{"Bill Acme, 1–31 Mar 2024: " + html});
  const struct {
    std::string path;
    QStringList shown;
  } saves[] = {{folder.file("bill.pdf"), {}},
               {folder.file("gone/bill.pdf"), {"Billing W: Error saving the bill"}}};
  for (const auto& save : saves) {
    desktop.answers = {QString::fromStdString(save.path)};
    bill->findChild<QPushButton*>("pdfButton")->click();
    expectShown(save.shown);
  }
  QFile pdf(QString::fromStdString(folder.file("bill.pdf")));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5) == "%PDF-");
  // The real printer takes the same document (the test script's private CUPS, which finds the
  // check's words in the page it receives).
  if (!QPrinterInfo::defaultPrinter().isNull()) {
    EXPECT_NO_THROW(
        DefaultPrinter().printDocument("Bill", "<p>Tallyworks printer check</p>" + html));
  }

  desktop.replies = {false, true, true};
  for (int i = 0; i < 2; ++i) bill->findChild<QPushButton*>("markInvoicedButton")->click();
  ASSERT_EQ(billing->invoiced().size(), 1U);
  bill->findChild<QPushButton*>("unlockButton")->click();
  EXPECT_TRUE(billing->invoiced().empty());
  expectShown({"Mark Invoiced ?: Mark Acme, 1–31 Mar 2024 as invoiced?",
               "Mark Invoiced ?: Mark Acme, 1–31 Mar 2024",
               "Unlock ?: Unlock Acme, 1–31 Mar 2024?"});
}

// Besides its lines the bill shows the time not billed, the problems of the period and the
// client's invoiced days that meet it; a bill that cannot be made says why.
TEST_F(BillingWindowsTest, BillShowsWhatIsApartAndWhyItFailed) {
  addTask("Admin", "Acme");
  addEntry("Admin", at(13, 9), "Acme", 30);
  book.setTaskBillable("Admin", false);
  addEntry("Layout", at(14, 9), "Acme, Globex", 10);
  Invoicing(store, *billing).mark("Acme", at(1, 0), at(10, 0));
  window->openBilling();
  QWidget* bill = opened("billWindow");
  makeBill(*bill);
  auto* view = bill->findChild<QTreeWidget*>("bill");
  QStringList shown;
  for (int i = 0; i < view->topLevelItemCount(); ++i)
    shown << view->topLevelItem(i)->text(0) + "/" +
                 QString::number(view->topLevelItem(i)->childCount());
  EXPECT_EQ(shown.join(" "),
            "Layout/0 Total/0 Rounding added 20 min to 1:10 timed/0 "
            "Not billed/1 Problems in this period/1");
  EXPECT_TRUE(
      bill->findChild<QLabel*>("billState")->text().endsWith("Invoiced: Acme, 1–10 Mar 2024"));

  book.remove("Globex");
  bill->findChild<QComboBox*>("client")->setCurrentIndex(1);
  makeBill(*bill);
  expectShown({"Billing W: Error making the bill"});
  EXPECT_FALSE(bill->findChild<QPushButton*>("printBillButton")->isEnabled());
}

// Enter makes the bill wherever the focus is, and never marks or unlocks; in the Clients window
// it saves only from a field of the form.
TEST_F(BillingWindowsTest, EnterMakesTheBillAndChangesNothingElse) {
  window->openBilling();
  QWidget* bill = opened("billWindow");
  bill->show();
  const char* focused[] = {"toDate", "client", "markInvoicedButton", "unlockButton"};
  for (const char* name : focused) {
    SCOPED_TRACE(name);
    bill->findChild<QTreeWidget*>("bill")->clear();
    auto* widget = bill->findChild<QWidget*>(name);
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return bill->findChild<QTreeWidget*>("bill")->topLevelItemCount() > 0; }));
  }
  EXPECT_TRUE(billing->invoiced().empty());
  const QString before = clients();
  desktop.onDialog = [&](QDialog& d) {
    d.show();
    for (const char* name : {"clients", "removeClientButton", "taskRates"}) {
      d.findChild<QWidget*>(name)->setFocus();
      QTest::keyClick(d.findChild<QWidget*>(name), Qt::Key_Return);
    }
    return 0;
  };
  window->openClients();
  EXPECT_EQ(clients(), before);
  expectShown({});
}

// A cancelled bill is never shown, whenever its thread ends.
TEST_F(BillingWindowsTest, CancelledBillIsNotShown) {
  window->openBilling();
  QWidget* bill = opened("billWindow");
  bill->findChild<QPushButton*>("makeBillButton")->click();
  bill->findChild<QPushButton*>("cancelBillButton")->click();
  EXPECT_TRUE(bill->findChild<QPushButton*>("makeBillButton")->isEnabled());
  QTest::qWait(200);
  EXPECT_EQ(bill->findChild<QTreeWidget*>("bill")->topLevelItemCount(), 0);
  EXPECT_FALSE(bill->findChild<QPushButton*>("markInvoicedButton")->isEnabled());
}

// The bill's reading tells each batch read, and ends where what it told throws (how the
// window's job cancels).
TEST_F(BillingWindowsTest, BillReadingEndsWhereItsProgressThrows) {
  store.transact([&] {
    for (int i = 0; i < 5000; ++i) addEntry("Layout", at(13, 0).addSeconds(i), "Acme", 0);
  });
  struct Stop {};
  int batches = 0;
  const BillRequest request{"Acme", at(13, 0), at(13, 0), BillRequest::Per::Task};
  EXPECT_THROW(BillBuilder(store, *billing)
                   .build(request,
                          [&](std::size_t) {
                            ++batches;
                            throw Stop{};
                          }),
               Stop);
  EXPECT_EQ(batches, 1);
}

// The grid shows the timesheet the billing library makes; a task's day opens the journal on
// that day with the task's entry selected, a total opens nothing.
TEST_F(BillingWindowsTest, TimesheetShowsTheWeekAndLeadsIntoTheJournal) {
  window->openTimesheet();
  auto* grid = opened("timesheetWindow")->findChild<QTableWidget*>("timesheet");
  const Timesheet sheet = TimesheetBuilder(store, *billing).week(at(11, 0));
  const int last = grid->rowCount() - 1;
  EXPECT_EQ(grid->item(last, 9)->text().toStdString(), MoneyFormat::hoursMinutes(sheet.total));
  EXPECT_EQ(grid->item(0, 9)->text().toStdString(),
            MoneyFormat::hoursMinutes(sheet.groups.at(0).total));
  emit grid->cellDoubleClicked(0, 2);  // a client's day
  EXPECT_EQ(window->findChild<JournalWindow*>("journalWindow"), nullptr);
  emit grid->cellDoubleClicked(1, 2);  // Layout on Tuesday
  auto* journal = window->findChild<JournalWindow*>("journalWindow");
  ASSERT_NE(journal, nullptr);
  auto* table = journal->findChild<QTableView*>("journal");
  const QModelIndexList rows = table->selectionModel()->selectedRows();
  ASSERT_EQ(rows.size(), 1);
  const auto& model = *static_cast<JournalModel*>(table->model());
  EXPECT_EQ(model.entryAt(rows.front().row()).subject, "Layout");
  EXPECT_EQ(model.entryAt(rows.front().row()).localStart(), at(12, 10));
}

// An edit in the journal of an entry in an invoiced period is refused with the store's message,
// which names the period.
TEST_F(BillingWindowsTest, JournalShowsTheRefusalOfAnInvoicedEntry) {
  Invoicing(store, *billing).mark("Acme", at(1, 0), at(31, 0));
  window->openJournal();
  auto* table =
      window->findChild<JournalWindow*>("journalWindow")->findChild<QTableView*>("journal");
  table->model()->setData(table->model()->index(0, JournalModel::kMinutes), 90, Qt::EditRole);
  QCoreApplication::processEvents();
  ASSERT_EQ(desktop.messages.size(), 1);
  EXPECT_TRUE(desktop.messages[0].startsWith("Journal W: Error changing the entry\r\n"));
  EXPECT_TRUE(desktop.messages[0].contains("Acme, 1–31 Mar 2024"))
      << desktop.messages[0].toStdString();
}

}  // namespace
}  // namespace tw::test
