#pragma once

#include <QGroupBox>
#include <QString>
#include <string>

#include "gui/common/SaveTextFile.h"
#include "gui/report/ReportJob.h"

class QLineEdit;
class QPushButton;

namespace tw {

class DatePickerDialog;
class StoreOpener;
struct WindowServices;

// The report area of the main window: a category, a range of days chosen with the date
// picker, and the two requests, "Generate Report" (shown in the viewer) and "Generate CSV"
// (saved to a file). The journal is read on a thread of its own while the window goes on; the
// request buttons wait until the report is done.
class ReportPanel : public QGroupBox {
  Q_OBJECT

 public:
  ReportPanel(WindowServices& services, const StoreOpener& stores, std::string storePath,
              QWidget* parent = nullptr);

  // The panel's first control in keyboard order, "Category:"'s field; its last is "Generate CSV".
  QWidget* firstInTabOrder() const;

 signals:
  // A progress text for the status bar; empty when the report is done.
  void statusMessage(const QString& text);

 private slots:
  void onGenerateReportClicked();
  void onGenerateCsvClicked();
  void onStartDateClicked();
  void onEndDateClicked();
  void onReportProgress(qulonglong items);
  void onReportFinished();

 private:
  void build();
  void startJob(ReportJob::Kind kind);
  void setRequestsEnabled(bool enabled);
  void pickDate(QLineEdit& field);
  void showReport(std::string text);

  WindowServices& services_;
  ReportJob job_;
  SaveTextFile csvFile_;
  DatePickerDialog* datePicker_ = nullptr;
  QLineEdit* categoryField_ = nullptr;
  QLineEdit* startDateField_ = nullptr;
  QLineEdit* endDateField_ = nullptr;
  QPushButton* startDateButton_ = nullptr;
  QPushButton* endDateButton_ = nullptr;
  QPushButton* reportButton_ = nullptr;
  QPushButton* csvButton_ = nullptr;
};

}  // namespace tw
