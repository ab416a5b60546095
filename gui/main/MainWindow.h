#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "gui/common/GuardedMessages.h"
#include "gui/common/WindowServices.h"
#include "tracking/TrackingSession.h"

class QBoxLayout;
class QComboBox;
class QLabel;
class QLayout;
class QMimeData;
class QPushButton;
class QTimer;

namespace tw {

class BillingWindows;
class JournalEditor;
class JournalStore;
class JournalWindow;
class MainWindowMenu;
class OverdueGuard;
class ReportPanel;
class ConflictCopies;
class StoreOpener;
class TitleCaption;

// The main window: the task list, the tracking buttons (Last, Start, Stop, Pause), the status
// bar and the title fed by a 500 ms tick, the report area shown by "R", and the menu that opens
// the other windows. Timing itself is the tracking session's; the
// window shows its state and each handler shows its own failures.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Reports read the store at storePath through stores, on connections of their own.
  MainWindow(WindowServices& services, const StoreOpener& stores, std::string storePath,
             QWidget* parent = nullptr);
  ~MainWindow() override;

  // Fills the task list from the session, takes up what the store says is being timed and
  // offers to finish what an earlier run left unfinished. Journal edits go through editor.
  void load(TrackingSession& session, JournalStore& store, JournalEditor& editor);
  // Loads without a store: the window stays empty and shows storeFailure whenever it needs
  // the store.
  void loadWithoutStore(const QString& storeFailure);
  // The calendar synchronisation's conflict copies, offered in the journal window.
  void setConflictCopies(ConflictCopies* copies);
  // Saves the entry being timed (closing, logout, termination); a failure is shown.
  void saveRunningEntry();
  // What the calendar synchronisation did, shown as the status bar's tooltip; the task list is
  // read again when the server brought changes.
  void showSyncResult(const QString& status, bool received);
  // Reads the tasks again, of the task lists the account now shows (unless the list is open).
  void reloadTasks();

 signals:
  // The summary charts are asked for (the menu's Summary…).
  void summaryRequested();
  // The preferences and the calendar account are asked for (the menu's Preferences…).
  void preferencesRequested();
  // The menu's Quit: the program is to end, also when closing the window would only hide it.
  void quitRequested();
  // The forgotten-timer question is about to be asked.
  void overdueQuestioned(const QString& text);

 public slots:
  // One tick of the tick timer: the status bar and the periodic save, which a failing store
  // never ends. Does nothing while one of the window's messages is open.
  void onTick();
  void openTasks();
  void openJournal();
  // MainWindowBilling.cpp: the clients, the bill and the timesheet.
  void openClients();
  void openBilling();
  void openTimesheet();

 private slots:
  void onStartClicked();
  void onStopClicked();
  void onPauseClicked();
  void onLastClicked();
  void onReportToggleClicked();
  void onTaskActivated(int index);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // MainWindow.cpp: layout, loading and closing.
  QLayout* buildTaskRow(QWidget* client);
  void buildMenu();
  // Null, after a message, without a store.
  BillingWindows* billingWindows();
  void buildStatusBar();
  void placeAndName();
  void showReportArea(bool show);
  void fitHeight();
  TrackingSession& session() const;
  // MainWindowTracking.cpp: the tracking buttons and the tick.
  void track(const std::function<void(TrackingSession&)>& step);
  void showTrackingState();
  void showStatus(const TrackingSession::Status& status);
  void guardOverdue();
  void stopTicking(const QString& description);
  // MainWindowTasks.cpp: the task list and the drop of journal entry text.
  void fillTaskList(const QString& reselect);
  void selectTask(const QString& subject);
  // True when the list holds a task besides "<Refresh>" and "<Edit tasks…>".
  bool listsTasks() const;
  void dropJournalText(const QMimeData* data);

  GuardedMessages messages_;
  WindowServices guardedServices_;
  const StoreOpener& stores_;
  std::string storePath_;
  TrackingSession* session_ = nullptr;
  JournalStore* store_ = nullptr;
  JournalEditor* editor_ = nullptr;
  std::unique_ptr<TitleCaption> caption_;
  std::unique_ptr<OverdueGuard> overdue_;
  QString stoppedTitle_;
  QString storeFailure_;
  QString selectedTask_;
  bool trackingShown_ = false;
  bool reportShown_ = false;

  QBoxLayout* taskRow_ = nullptr;
  MainWindowMenu* menu_ = nullptr;
  QComboBox* taskList_ = nullptr;
  QPushButton* lastButton_ = nullptr;
  QPushButton* startButton_ = nullptr;
  QPushButton* stopButton_ = nullptr;
  QPushButton* pauseButton_ = nullptr;
  QPushButton* reportToggle_ = nullptr;
  QLabel* timePanel_ = nullptr;
  QLabel* detailPanel_ = nullptr;
  ReportPanel* reportPanel_ = nullptr;
  JournalWindow* journal_ = nullptr;
  BillingWindows* billing_ = nullptr;
  ConflictCopies* conflicts_ = nullptr;
  QTimer* tickTimer_ = nullptr;
};

}  // namespace tw
