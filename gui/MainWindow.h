#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <string>

#include "gui/GuardedMessages.h"
#include "gui/WindowServices.h"
#include "tracking/TrackingSession.h"

class QComboBox;
class QLabel;
class QMimeData;
class QPushButton;
class QTimer;

namespace tw {

class ReportPanel;
class StoreOpener;

// The main window: the task list, the tracking buttons (Last, Start, Stop, Pause), the status
// bar fed by a 500 ms tick, and the report area shown by "R". Timing itself is the tracking
// session's; the window shows its state and each handler shows its own failures.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Reports read the store at storePath through stores, on connections of their own.
  MainWindow(WindowServices& services, const StoreOpener& stores, std::string storePath,
             QWidget* parent = nullptr);

  // Fills the task list from the session and takes up what the store says is being timed.
  void load(TrackingSession& session);
  // Loads without a store: the window stays empty and shows storeFailure whenever it needs
  // the store.
  void loadWithoutStore(const QString& storeFailure);
  // Saves the entry being timed (closing, logout, termination); a failure is shown.
  void saveRunningEntry();

 public slots:
  // One tick of the tick timer: the status bar, the periodic save and the recovery from
  // failures. Does nothing while one of the window's messages is open.
  void onTick();

 private slots:
  void onStartClicked();
  void onStopClicked();
  void onPauseClicked();
  void onLastClicked();
  void onReportToggleClicked();
  void onTaskActivated(int index);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // MainWindow.cpp: layout, loading and closing.
  void buildTaskRow(QWidget* client);
  void buildStatusBar();
  void placeAndName();
  void showReportArea(bool show);
  void applyHeight();
  TrackingSession& session() const;
  // MainWindowTracking.cpp: the tracking buttons and the tick.
  void track(const std::function<void(TrackingSession&)>& step);
  void showTrackingState();
  void showStatus(const TrackingSession::Status& status);
  void recoverFromTickFailure(const QString& description);
  // MainWindowTasks.cpp: the task list and the drop of journal entry text.
  void fillTaskList(const QString& reselect);
  void selectTask(const QString& subject);
  void dropJournalText(const QMimeData* data);

  GuardedMessages messages_;
  WindowServices guardedServices_;
  TrackingSession* session_ = nullptr;
  QString storeFailure_;
  QString selectedTask_;
  bool trackingShown_ = false;
  bool reportShown_ = false;
  int tickFailures_ = 0;

  QComboBox* taskList_ = nullptr;
  QPushButton* lastButton_ = nullptr;
  QPushButton* startButton_ = nullptr;
  QPushButton* stopButton_ = nullptr;
  QPushButton* pauseButton_ = nullptr;
  QLabel* timePanel_ = nullptr;
  QLabel* detailPanel_ = nullptr;
  ReportPanel* reportPanel_ = nullptr;
  QTimer* tickTimer_ = nullptr;
};

}  // namespace tw
