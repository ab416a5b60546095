#pragma once

#include <QTreeWidget>

#include "billing/Bill.h"

namespace tw {

class Currency;
class MoneyFormat;

// A bill as the Billing window shows it: a section per task with its lines (a period of the
// task's rate, a day or an entry with its notes) and subtotal, then the total, what rounding
// added or took away, the time not billed and the problems of the period. Hours show as
// decimal hours and as h:mm, amounts as the locale writes money.
class BillView : public QTreeWidget {
  Q_OBJECT

 public:
  enum Column { kItem, kNotes, kHours, kHoursMinutes, kRate, kAmount, kColumns };

  explicit BillView(QWidget* parent = nullptr);

  // Throws BillingError when the bill's currency is unknown.
  void setBill(const Bill& bill, const MoneyFormat& money);

 private:
  void addSections(const Bill& bill, const MoneyFormat& money, const Currency& currency);
  void addLine(QTreeWidgetItem& head, const Bill::Line& line, const MoneyFormat& money,
               const Currency& currency);
  void addTotals(const Bill& bill, const MoneyFormat& money, const Currency& currency);
  void addUnbilled(const Bill& bill, const MoneyFormat& money);
  void addProblems(const Bill& bill);
};

}  // namespace tw
