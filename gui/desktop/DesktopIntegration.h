#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "gui/common/WindowServices.h"
#include "gui/desktop/DesktopNotifier.h"
#include "gui/desktop/QtIdleQuestion.h"

class QWidget;

namespace tw {

class CloseToTray;
class IdleWatcher;
class JournalStore;
class SummaryView;
class TrackingSession;
class TrayIcon;

// What the program does on the desktop around the main window: the tray icon (closing the
// window then leaves the program running there), the watch for time away while timing, the
// summary window and notifications.
class DesktopIntegration : public QObject {
  Q_OBJECT

 public:
  // Without a store (session and store null) only the tray icon is made.
  DesktopIntegration(WindowServices& services, TrackingSession* session, JournalStore* store,
                     QWidget& window);
  ~DesktopIntegration() override;

  // The next close of the window ends the program (Quit, termination).
  void release();
  // Null without a system tray (one that appears within two minutes of the start counts).
  TrayIcon* tray() const { return tray_; }

 signals:
  // The tray's Journal…: the window shows the journal.
  void journalRequested();
  // The tray's Preferences….
  void preferencesRequested();

 public slots:
  void openSummary();
  // Ends the program: the window closes (saving the entry being timed) instead of going to the
  // tray.
  void quit();
  // A notification of the forgotten-timer question while the window is hidden.
  void tellOverdue(const QString& text);
  // The settings changed (Preferences): the idle limit applies from now on.
  void applySettings();

 private:
  void makeTray(TrackingSession* session, JournalStore* store);
  void waitForTray(TrackingSession* session, JournalStore* store);
  void makeIdleWatcher(TrackingSession& session);
  void showWindow();
  void tellReturn(const QString& task, qint64 minutes);
  static QString whatHappensOnReturn();
  void sayWrongSettings();

  WindowServices& services_;
  JournalStore* store_;
  QWidget& window_;
  QtIdleQuestion question_;
  DesktopNotifier notifier_;
  TrayIcon* tray_ = nullptr;
  CloseToTray* closer_ = nullptr;
  IdleWatcher* watcher_ = nullptr;
  QPointer<SummaryView> summary_;
};

}  // namespace tw
