#include "gui/report/DatePickerDialog.h"

#include <QCalendarWidget>
#include <QLabel>

#include "core/Clock.h"
#include "core/TimeZone.h"
#include "gui/common/DialogRunner.h"
#include "gui/common/Twips.h"

namespace tw {

DatePickerDialog::DatePickerDialog(DialogRunner& dialogs, const Clock& clock, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      dialogs_(dialogs),
      clock_(clock),
      calendar_(new QCalendarWidget(this)) {
  setWindowTitle(QStringLiteral("Select Date"));
  setFixedSize(Twips::toPixels(2670), Twips::toPixels(2520));
  QFont small = font();
  small.setPointSizeF(8.25);
  setFont(small);

  calendar_->setObjectName(QStringLiteral("calendar"));
  calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  calendar_->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
  calendar_->setGeometry(Twips::rect(-15, -15, 2700, 2370));
  auto* hint = new QLabel(QStringLiteral("Double-click day to select"), this);
  hint->setGeometry(Twips::rect(0, 2340, 2625, 180));

  connect(calendar_, &QCalendarWidget::activated, this, &DatePickerDialog::onDayActivated);
}

bool DatePickerDialog::choose(const QWidget& owner) {
  // Outer positions, with no correction to keep the dialog on the screen.
  move(owner.frameGeometry().topLeft() + QPoint(Twips::toPixels(3000), Twips::toPixels(1000)));
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
