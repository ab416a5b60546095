#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <functional>

#include "gui/desktop/AutostartEntry.h"

class QAction;
class QMenu;
class QSystemTrayIcon;
class QTimer;

namespace tw {

class Clock;
class JournalStore;
class MessageBoxes;
class TrackingSession;

// The icon in the system tray: its tooltip names the task being timed, its minutes and the
// day's total; its menu tracks (Start, Pause, Stop, Last, the eight tasks timed most recently)
// and opens the windows. The icon carries a dot while timing.
class TrayIcon : public QObject {
  Q_OBJECT

 public:
  // Without a session (no store) the menu only opens the window and quits. chosenTask names
  // the task chosen in the main window, which Start times.
  TrayIcon(TrackingSession* session, JournalStore* store, const Clock& clock,
           MessageBoxes& messages, std::function<QString()> chosenTask, QObject* parent = nullptr);
  ~TrayIcon() override;

  void show();
  // Reads the state of the session and the day's total again into the tooltip, the icon and
  // the menu. Runs before the menu opens and after each of its actions; the tooltip and the
  // icon are also brought up to date every few seconds.
  void refresh();
  // A tray message, shown once per run: closing the window leaves Tallyworks running here.
  void sayStillRunning();
  // The application icon with a dot drawn on its lower right corner.
  static QIcon timingIcon(const QIcon& base);

 signals:
  void showWindowRequested();
  void journalRequested();
  void summaryRequested();
  void preferencesRequested();
  void quitRequested();
  // A menu action started, switched, paused or stopped the timing.
  void tracked();

 private:
  void buildMenu();
  void showState();
  void fillRecentTasks();
  QString todayText();
  void startChosen();
  void startLast();
  void startTask(const QString& subject);
  void track(const std::function<void(TrackingSession&)>& step);
  QAction* addAction(const char* name, const QString& text, void (TrayIcon::*slot)());
  QAction* addSignal(const char* name, const QString& text, void (TrayIcon::*signal)());

  TrackingSession* session_;
  JournalStore* store_;
  const Clock& clock_;
  MessageBoxes& messages_;
  std::function<QString()> chosenTask_;
  AutostartEntry autostart_;
  QIcon idleIcon_;
  QIcon timingIcon_;
  bool saidStillRunning_ = false;

  QSystemTrayIcon* tray_ = nullptr;
  QMenu* menu_ = nullptr;
  QAction* startAction_ = nullptr;
  QAction* pauseAction_ = nullptr;
  QAction* stopAction_ = nullptr;
  QAction* lastAction_ = nullptr;
  QAction* recentEnd_ = nullptr;
  QTimer* refreshTimer_ = nullptr;
};

}  // namespace tw
