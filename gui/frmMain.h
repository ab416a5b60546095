#pragma once

#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>

#include "model/DateTime.h"
#include "tracking/MessageBoxes.h"
#include "tracking/WindowServices.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMimeData;
class QPushButton;
class QStatusBar;
class QTimer;

namespace tw {

class GuardedMessages;
class JournalItem;
class Report;
class TaskList;

// The main window: the task list, the tracking buttons, the status bar fed by Timer1 and the
// report area. Handlers are public so that tests drive the window as the user would.
//
// setEnabled(bool) is the window's own lock of its thirteen controls and deliberately hides
// QWidget::setEnabled, which the window never uses on itself (call QWidget::setEnabled
// explicitly to disable the whole window).
class frmMain : public QMainWindow {
  Q_OBJECT

 public:
  explicit frmMain(WindowServices& services, QWidget* parent = nullptr);
  ~frmMain() override;

  // Start-up and shutdown (frmMain.cpp).
  void Form_Load();
  void Form_Unload();
  void showReportArea(bool show);

  // Work timing (frmMainTracking.cpp).
  void btnStart_Click();
  void btnStop_Click();
  void btnPause_Click();
  void setTracking(bool tracking, bool writeMarker);
  bool lastTWEventIsStop();
  void Timer1_Timer();
  void setStatus(const QString& panel1, const QString& panel2);
  void setEnabled(bool b);

  // The Last command (frmMainLast.cpp).
  void btnLast_Click();

  // The task list and journal item creation (frmMainTaskList.cpp).
  void lstTasks_Click();
  void fillTaskList(const QString& taskName);
  void createJournalEntry(const std::string& subject, const std::string& taskName,
                          const std::string& categories, bool keep, const std::string& entryType);
  bool entryTypeIsRegistered(const QString& name) const;

  // The journal item drop (frmMainDrop.cpp).
  void lstTasks_OLEDragDrop(const QMimeData* data);

  // Every message box of the window goes through here; Timer1 does not tick while one is open.
  MessageBoxes& messages();
  WindowServices& services() { return services_; }

  // Controls.
  QComboBox* lstTasks = nullptr;
  QPushButton* btnLast = nullptr;
  QPushButton* btnStart = nullptr;
  QPushButton* btnStop = nullptr;
  QPushButton* btnPause = nullptr;
  QPushButton* btnExpand = nullptr;
  QStatusBar* StatusBar = nullptr;
  QLabel* statusPanel1 = nullptr;
  QLabel* statusPanel2 = nullptr;
  QGroupBox* frReport = nullptr;
  QTimer* Timer1 = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* txtCategory = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* txtStartDate = nullptr;
  QPushButton* btnDateStart = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* txtEndDate = nullptr;
  QPushButton* btnDateEnd = nullptr;
  QPushButton* btnReport = nullptr;
  QPushButton* btnCSV = nullptr;

  // Window state.
  bool reportShown = false;
  std::unique_ptr<TaskList> taskList;
  QString selectedTask;
  bool refreshing = false;
  std::shared_ptr<JournalItem> currentEntry;
  bool tracking = false;
  DateTime lastSaveTime;
  std::int16_t tickErrors = 0;

  // ---- Report requests (definitions in reporting/frmMainReports.cpp) ----
  void btnExpand_Click();
  void btnReport_Click();
  void btnCSV_Click();
  void btnDateStart_Click();
  void btnDateEnd_Click();
  void txtStartDate_DblClick();
  void txtEndDate_DblClick();
  // Reads the whole journal into a new currentReport; false (after telling the user) when the
  // read failed, and the request then ends.
  bool getJournalEntries();
  void setReportEnabled(bool enabled);
  void saveFile(const std::string& text, const QString& extension);
  void connectReportArea();
  std::unique_ptr<Report> currentReport;
  QString commonDialogFileName;
  // The date picker, made on first use and kept with its selectedDate for the window's life.
  class frmDate* dateDialog = nullptr;

 private:
  // Hands the category and the date fields to currentReport.
  void applyReportSettings();
  // Runs the date picker and writes the chosen day into field; a closed picker leaves it.
  void pickDate(QLineEdit& field);
  void showReadingProgress(std::size_t items);
  // The seams for the report windows, with this window's guarded message boxes.
  WindowServices reportWindowServices();

 public:
  // ---- end of report requests ----

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  void buildReportArea();
  void applyHeight();
  // Selects the entry of lstTasks named `text` (exact case first, then any case) and raises
  // lstTasks_Click as a choice of the user would; throws when no entry has that name.
  void setListText(const QString& text);
  // Stops and saves the entry whose timer runs, before it is replaced or dropped.
  void stopRunningEntry();
  void recoverFromTickFailure(const QString& description);

  WindowServices& services_;
  std::unique_ptr<GuardedMessages> messages_;
};

}  // namespace tw
