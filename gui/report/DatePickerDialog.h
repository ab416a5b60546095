#pragma once

#include <QDate>
#include <QDialog>

#include "core/DateTime.h"

class QCalendarWidget;

namespace tw {

class Clock;
class DialogRunner;

// "Select Date": a month calendar on which the user double-clicks a day. Kept for its owner's
// life, so that the day chosen last stays known between uses.
class DatePickerDialog : public QDialog {
  Q_OBJECT

 public:
  DatePickerDialog(DialogRunner& dialogs, const Clock& clock, QWidget* parent = nullptr);

  // Shows the dialog modally, turned to today: first centred over the window it belongs to,
  // later where the user left it. True when a day was double-clicked during this use; false
  // when the dialog was closed otherwise.
  bool choose();
  // The day chosen last; the empty date value (day 0) before any choice.
  DateTime selectedDate() const { return selected_; }

 private slots:
  void onDayActivated(QDate day);

 private:
  DialogRunner& dialogs_;
  const Clock& clock_;
  QCalendarWidget* calendar_;
  DateTime selected_;
  bool chosen_ = false;
};

}  // namespace tw
