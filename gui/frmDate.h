#pragma once

#include <QDate>
#include <QDialog>

#include "model/DateTime.h"

class QCalendarWidget;
class QLabel;

namespace tw {

class DialogRunner;

// The date picker: a month calendar on which the user double-clicks a day. The object lives
// as long as its owner, so selectedDate keeps the last chosen day between uses.
class frmDate : public QDialog {
  Q_OBJECT

 public:
  explicit frmDate(DialogRunner& dialogs, QWidget* parent = nullptr);

  // Places the dialog relative to owner, turns the calendar to today and shows the dialog
  // modally. True when a day was double-clicked during this use; false when the window was
  // closed otherwise (selectedDate then keeps its earlier value).
  bool ShowGetDate(const QWidget& owner);

  // The day last double-clicked; the empty date value (day 0) before any choice.
  DateTime selectedDate;

  QCalendarWidget* MonthView1;
  QLabel* Label1;

 private:
  void MonthView1_DateDblClick(QDate day);

  DialogRunner& dialogs_;
  bool chosen_ = false;
};

}  // namespace tw
