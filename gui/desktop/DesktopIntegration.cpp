#include "gui/desktop/DesktopIntegration.h"

#include <QApplication>
#include <QComboBox>
#include <QDBusConnection>
#include <QGuiApplication>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <optional>

#include "gui/common/MessageBoxes.h"
#include "gui/desktop/CloseToTray.h"
#include "gui/desktop/DesktopSettings.h"
#include "gui/desktop/IdleWatcher.h"
#include "gui/desktop/LogindIdleSource.h"
#include "gui/desktop/MutterIdleSource.h"
#include "gui/desktop/ScreenSaverIdleSource.h"
#include "gui/desktop/TrayIcon.h"
#include "gui/desktop/X11IdleSource.h"
#include "gui/summary/SummaryView.h"
#include "tracking/TrackingSession.h"

namespace tw {
namespace {

constexpr int kTrayWaitMillis = 5000;
constexpr int kTrayWaitTries = 24;

}  // namespace

DesktopIntegration::DesktopIntegration(WindowServices& services, TrackingSession* session,
                                       JournalStore* store, QWidget& window)
    : services_(services),
      store_(store),
      window_(window),
      question_(services.dialogs),
      notifier_(QDBusConnection::sessionBus()) {
  if (QSystemTrayIcon::isSystemTrayAvailable())
    makeTray(session, store);
  else
    waitForTray(session, store);
  if (session) makeIdleWatcher(*session);
  // Once the window is up: settings the file holds wrongly are never passed over in silence.
  QTimer::singleShot(0, this, &DesktopIntegration::sayWrongSettings);
}

void DesktopIntegration::sayWrongSettings() {
  QStringList said;
  for (const std::string& c : DesktopSettings::corrections()) said << QString::fromStdString(c);
  if (said.isEmpty()) return;
  services_.messages.show(tr("Some settings cannot be used as they are written, so their defaults "
                             "are used; the Preferences show them and correct the file.\n\n%1")
                              .arg(said.join(QLatin1Char('\n'))),
                          MessageBoxes::Icon::Warning);
}

// Started at login, the program may come up before the panel that holds the tray.
void DesktopIntegration::waitForTray(TrackingSession* session, JournalStore* store) {
  auto* timer = new QTimer(this);
  timer->setInterval(kTrayWaitMillis);
  connect(timer, &QTimer::timeout, this, [this, timer, session, store, tries = 0]() mutable {
    if (QSystemTrayIcon::isSystemTrayAvailable()) makeTray(session, store);
    if (tray_ || ++tries >= kTrayWaitTries) timer->deleteLater();
  });
  timer->start();
}

DesktopIntegration::~DesktopIntegration() {
  delete summary_.data();
}

void DesktopIntegration::makeTray(TrackingSession* session, JournalStore* store) {
  QComboBox* taskList = window_.findChild<QComboBox*>(QStringLiteral("taskList"));
  tray_ = new TrayIcon(
      session, store, services_.clock, services_.messages,
      [taskList] { return taskList ? taskList->currentText() : QString(); }, this);
  connect(tray_, &TrayIcon::showWindowRequested, this, &DesktopIntegration::showWindow);
  connect(tray_, &TrayIcon::journalRequested, this, [this] {
    showWindow();
    emit journalRequested();
  });
  connect(tray_, &TrayIcon::summaryRequested, this, &DesktopIntegration::openSummary);
  connect(tray_, &TrayIcon::preferencesRequested, this, &DesktopIntegration::preferencesRequested);
  connect(tray_, &TrayIcon::quitRequested, this, &DesktopIntegration::quit);
  // The window's task list shows the task the tray started or switched to.
  connect(tray_, &TrayIcon::tracked, this, [taskList, session] {
    if (taskList && session->tracking())
      taskList->setCurrentIndex(
          taskList->findText(QString::fromStdString(session->status().subject)));
  });
  closer_ = new CloseToTray(window_);
  connect(closer_, &CloseToTray::hidden, tray_, &TrayIcon::sayStillRunning);
  QApplication::setQuitOnLastWindowClosed(false);
  tray_->show();
}

void DesktopIntegration::makeIdleWatcher(TrackingSession& session) {
  auto* watcher = watcher_ =
      new IdleWatcher(session, services_.clock, question_, services_.messages,
                      DesktopSettings::idleLimitSeconds(), this);
  watcher->addSource(new LogindIdleSource(QDBusConnection::systemBus(), services_.clock));
  watcher->addSource(new ScreenSaverIdleSource(QDBusConnection::sessionBus()));
  watcher->addSource(new MutterIdleSource(QDBusConnection::sessionBus()));
  // The X server counts idle time itself. Offscreen may answer as an X11 application too,
  // without a connection.
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 && x11->connection()) {
    switch (X11IdleSource::role(QGuiApplication::platformName(),
                                qEnvironmentVariable("XDG_SESSION_TYPE"))) {
      case X11IdleSource::Role::Source:
        watcher->addSource(new X11IdleSource(x11->connection()));
        break;
      case X11IdleSource::Role::Fallback:
        watcher->addFallbackSource(new X11IdleSource(x11->connection()));
        break;
      case X11IdleSource::Role::None:
        break;
    }
  }
  connect(watcher, &IdleWatcher::returned, this, &DesktopIntegration::tellReturn);
  watcher->start();
}

void DesktopIntegration::applySettings() {
  if (watcher_) watcher_->setLimitSeconds(DesktopSettings::idleLimitSeconds());
}

void DesktopIntegration::release() {
  if (closer_) closer_->release();
}

void DesktopIntegration::showWindow() {
  window_.show();
  window_.raise();
  window_.activateWindow();
}

void DesktopIntegration::quit() {
  release();
  window_.close();
  QCoreApplication::quit();
}

void DesktopIntegration::openSummary() {
  if (!store_) return;
  if (!summary_) summary_ = new SummaryView(*store_, services_);
  summary_->show();
  summary_->raise();
  summary_->activateWindow();
}

void DesktopIntegration::tellOverdue(const QString& text) {
  if (!window_.isVisible()) notifier_.notify(tr("Still working?"), text);
}

// With the window hidden the question may open unnoticed: a notification points to it.
void DesktopIntegration::tellReturn(const QString& task, qint64 minutes) {
  if (window_.isVisible()) return;
  const QString away =
      tr("You were away for %1 minutes while \"%2\" was timed.").arg(minutes).arg(task);
  notifier_.notify(tr("Welcome back"), away + QLatin1Char(' ') + whatHappensOnReturn());
}

// What becomes of the time away: asked, or what the Preferences say to do without asking.
QString DesktopIntegration::whatHappensOnReturn() {
  const std::optional<IdleQuestion::Answer> preset = DesktopSettings::answerOnReturn();
  if (!preset) return tr("Tallyworks asks whether that time counts.");
  switch (*preset) {
    case IdleQuestion::Answer::Keep:
      return tr("As the Preferences say, that time counts as work.");
    case IdleQuestion::Answer::Discard:
      return tr("As the Preferences say, the entry ends where that time began and timing stopped.");
    case IdleQuestion::Answer::DiscardAndGoOn:
      return tr(
          "As the Preferences say, the entry ends where that time began and the task is "
          "timed again from now.");
    case IdleQuestion::Answer::Stop:
      return tr("As the Preferences say, the working day stopped where that time began.");
  }
  return {};
}

}  // namespace tw
