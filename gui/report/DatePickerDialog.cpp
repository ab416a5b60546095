#include "gui/report/DatePickerDialog.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QVBoxLayout>

#include "core/Clock.h"
#include "core/TimeZone.h"
#include "gui/common/DialogRunner.h"

namespace tw {

DatePickerDialog::DatePickerDialog(DialogRunner& dialogs, const Clock& clock, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint),
      dialogs_(dialogs),
      clock_(clock),
      calendar_(new QCalendarWidget(this)) {
  setWindowTitle(QStringLiteral("Select Date"));
  QFont small = font();
  small.setPointSizeF(8.25);
  setFont(small);

  calendar_->setObjectName(QStringLiteral("calendar"));
  calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  calendar_->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
  auto* hint = new QLabel(QStringLiteral("Double-click day to select"), this);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 2);
  column->setSpacing(2);
  column->addWidget(calendar_, 1);
  column->addWidget(hint);

  connect(calendar_, &QCalendarWidget::activated, this, &DatePickerDialog::onDayActivated);
}

bool DatePickerDialog::choose() {
  const Instant now = clock_.now();
  const DateTime today = TimeZone::toLocal(now);
  calendar_->setCurrentPage(today.year(), today.month());
  calendar_->setSelectedDate(QDate(today.year(), today.month(), today.day()));
  chosen_ = false;
  dialogs_.exec(*this);
  hide();
  return chosen_;
}

void DatePickerDialog::onDayActivated(QDate day) {
  selected_ = DateTime::fromParts(day.year(), day.month(), day.day());
  chosen_ = true;
  accept();
}

}  // namespace tw
