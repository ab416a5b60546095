#include "reporting/frmDate.h"

#include <QCalendarWidget>
#include <QLabel>

#include "model/Clock.h"
#include "reporting/Twips.h"
#include "tracking/DialogRunner.h"

namespace tw {

frmDate::frmDate(DialogRunner& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      MonthView1(new QCalendarWidget(this)),
      Label1(new QLabel(QStringLiteral("Double-click day to select"), this)),
      dialogs_(dialogs) {
  setObjectName(QStringLiteral("frmDate"));
  setWindowTitle(QStringLiteral("Select Date"));
  setFixedSize(twipsToPixels(2670), twipsToPixels(2520));
  QFont small = font();
  small.setPointSizeF(8.25);
  setFont(small);

  MonthView1->setObjectName(QStringLiteral("MonthView1"));
  MonthView1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  MonthView1->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
  MonthView1->setGeometry(twipsToPixels(-15), twipsToPixels(-15), twipsToPixels(2700),
                          twipsToPixels(2370));
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(0, twipsToPixels(2340), twipsToPixels(2625), twipsToPixels(180));

  connect(MonthView1, &QCalendarWidget::activated, this, &frmDate::MonthView1_DateDblClick);
}

bool frmDate::ShowGetDate(const QWidget& owner) {
  // Outer positions, with no correction to keep the dialog on the screen.
  move(owner.frameGeometry().topLeft() + QPoint(twipsToPixels(3000), twipsToPixels(1000)));

  const DateTime now = Clock::current().now();
  const QDate today(now.year(), now.month(), now.day());
  MonthView1->setCurrentPage(today.year(), today.month());
  MonthView1->setSelectedDate(today);

  chosen_ = false;
  dialogs_.exec(*this);
  return chosen_;
}

void frmDate::MonthView1_DateDblClick(QDate day) {
  selectedDate = DateTime::fromParts(day.year(), day.month(), day.day());
  chosen_ = true;
  accept();
}

}  // namespace tw
