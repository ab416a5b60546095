#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "billing/Timesheet.h"
#include "core/DateTime.h"

class QLabel;
class QTableWidget;

namespace tw {

class BillingStore;
class JournalStore;
struct WindowServices;

// "Timesheet": a week of the journal as a grid, rows the tasks grouped by client, columns the
// days Monday to Sunday, with totals per row, day, client and week; a billable task's hours
// are those its client's bill gives the week. Double-clicking a task's day asks for the
// journal on that day with the task's entry selected (journalRequested).
class TimesheetWindow : public QWidget {
  Q_OBJECT

 public:
  TimesheetWindow(WindowServices& services, JournalStore& store, BillingStore& billing,
                  QWidget* parent = nullptr);

  // Shows the week holding this local date.
  void showWeek(DateTime anyDay);

 signals:
  void journalRequested(DateTime day, const QString& subject);

 public slots:
  // Reads the week shown again.
  void reload();

 private slots:
  void onPreviousClicked();
  void onNextClicked();
  void onThisWeekClicked();
  void onCellDoubleClicked(int row, int column);

 private:
  void fill();
  void addGroup(const Timesheet::Group& group);
  // A row of the grid: a title, the days, the rounding (when the week has any) and the total.
  int addRow(const QString& title, const Timesheet::Days& days, std::int64_t rounding,
             std::int64_t total, bool bold);
  DateTime today() const;

  WindowServices& services_;
  JournalStore& store_;
  BillingStore& billing_;
  DateTime day_;
  Timesheet sheet_;
  // The task of each grid row, empty for the rows of groups and totals.
  std::vector<QString> rowTasks_;
  QLabel* period_ = nullptr;
  QTableWidget* grid_ = nullptr;
};

}  // namespace tw
