#include "gui/desktop/TrayIcon.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QTimer>
#include <exception>
#include <utility>

#include "core/Clock.h"
#include "core/DateText.h"
#include "core/DurationText.h"
#include "core/TimeZone.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/WindowError.h"
#include "tracking/DayTotal.h"
#include "tracking/RecentTasks.h"
#include "tracking/TrackingSession.h"

namespace tw {
namespace {

constexpr std::size_t kRecentTasks = 8;
constexpr int kRefreshMillis = 15000;

QString friendly(std::int64_t minutes) {
  return QString::fromStdString(DurationText::friendly(static_cast<std::int32_t>(minutes)));
}

}  // namespace

TrayIcon::TrayIcon(TrackingSession* session, JournalStore* store, const Clock& clock,
                   MessageBoxes& messages, std::function<QString()> chosenTask, QObject* parent)
    : QObject(parent),
      session_(session),
      store_(store),
      clock_(clock),
      messages_(messages),
      chosenTask_(std::move(chosenTask)),
      autostart_(QCoreApplication::applicationFilePath()),
      idleIcon_(QApplication::windowIcon()),
      timingIcon_(timingIcon(idleIcon_)) {
  tray_ = new QSystemTrayIcon(idleIcon_, this);
  menu_ = new QMenu();
  menu_->setObjectName(QStringLiteral("trayMenu"));
  buildMenu();
  tray_->setContextMenu(menu_);
  connect(menu_, &QMenu::aboutToShow, this, &TrayIcon::refresh);
  connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
    if (why == QSystemTrayIcon::Trigger) emit showWindowRequested();
  });
  refreshTimer_ = new QTimer(this);
  refreshTimer_->setInterval(kRefreshMillis);
  connect(refreshTimer_, &QTimer::timeout, this, &TrayIcon::showState);
  refresh();
}

TrayIcon::~TrayIcon() {
  delete menu_;
}

void TrayIcon::buildMenu() {
  startAction_ = addAction("trayStart", tr("&Start"), &TrayIcon::startChosen);
  pauseAction_ = addAction("trayPause", tr("&Pause"), nullptr);
  connect(pauseAction_, &QAction::triggered, this,
          [this] { track([](TrackingSession& s) { s.pause(); }); });
  stopAction_ = addAction("trayStop", tr("S&top"), nullptr);
  connect(stopAction_, &QAction::triggered, this,
          [this] { track([](TrackingSession& s) { s.stop(); }); });
  lastAction_ = addAction("trayLast", tr("&Last"), &TrayIcon::startLast);
  menu_->addSeparator();
  recentEnd_ = menu_->addSeparator();
  addSignal("trayJournal", tr("&Journal…"), &TrayIcon::journalRequested);
  addSignal("traySummary", tr("S&ummary…"), &TrayIcon::summaryRequested);
  addSignal("trayPreferences", tr("P&references…"), &TrayIcon::preferencesRequested);
  QAction* autostart = addAction("trayAutostart", tr("Start at L&ogin"), nullptr);
  autostart->setCheckable(true);
  autostart->setChecked(autostart_.enabled());
  connect(autostart, &QAction::toggled, this, [this, autostart](bool on) {
    try {
      autostart_.setEnabled(on);
    } catch (const std::exception& e) {
      messages_.show(WindowError::describe(e), MessageBoxes::Icon::Warning);
      const QSignalBlocker quiet(autostart);
      autostart->setChecked(autostart_.enabled());
    }
  });
  // The Preferences switch it too.
  connect(menu_, &QMenu::aboutToShow, autostart, [this, autostart] {
    const QSignalBlocker quiet(autostart);
    autostart->setChecked(autostart_.enabled());
  });
  menu_->addSeparator();
  addSignal("trayShow", tr("Show &Window"), &TrayIcon::showWindowRequested);
  addSignal("trayQuit", tr("&Quit"), &TrayIcon::quitRequested);
}

QAction* TrayIcon::addAction(const char* name, const QString& text, void (TrayIcon::*slot)()) {
  QAction* action = menu_->addAction(text);
  action->setObjectName(QString::fromLatin1(name));
  if (slot) connect(action, &QAction::triggered, this, slot);
  return action;
}

QAction* TrayIcon::addSignal(const char* name, const QString& text, void (TrayIcon::*signal)()) {
  QAction* action = addAction(name, text, nullptr);
  connect(action, &QAction::triggered, this, signal);
  return action;
}

void TrayIcon::show() {
  tray_->show();
  refreshTimer_->start();
}

void TrayIcon::refresh() {
  showState();
  fillRecentTasks();
}

void TrayIcon::showState() {
  const bool timing = session_ && session_->tracking();
  QString tip = QStringLiteral("Tallyworks\n");
  if (timing) {
    const TrackingSession::Status status = session_->status();
    tip += QString::fromStdString(status.subject) + ": " + friendly(status.minutes) + "\n";
  } else if (const auto status = session_ ? session_->status() : TrackingSession::Status{};
             status.state == TrackingSession::State::Paused) {
    const std::string since = DateText::longTime(TimeZone::toLocal(status.since));
    const std::string task = status.subject.empty() ? "" : status.subject + " ";
    tip += tr("Paused: ") + QString::fromStdString(task + "since " + since) + "\n";
  } else {
    tip += tr("Stopped") + "\n";
  }
  tip += todayText();
  tray_->setToolTip(tip);
  tray_->setIcon(timing ? timingIcon_ : idleIcon_);
  startAction_->setEnabled(session_ && !timing);
  lastAction_->setEnabled(session_ && !timing);
  pauseAction_->setEnabled(timing);
  stopAction_->setEnabled(timing);
}

// Today's total (DayTotal), the entry being timed counted to this minute.
QString TrayIcon::todayText() {
  if (!store_) return tr("Today: no store");
  try {
    const bool timing = session_ && session_->tracking() && session_->held();
    const DateTime today = TimeZone::toLocal(clock_.now()).date();
    const DayTotal total = DayTotal::read(*store_, today, timing ? session_->held()->id : 0);
    return tr("Today: ") + friendly(total.minutes(timing ? session_->status().minutes : 0));
  } catch (const std::exception& e) {
    return tr("Today: ") + WindowError::describe(e);
  }
}

void TrayIcon::fillRecentTasks() {
  for (QAction* old : menu_->actions())
    if (old->objectName() == QLatin1String("trayRecent")) delete old;
  if (!session_ || !store_) return;
  std::vector<Task> recent;
  try {
    recent = RecentTasks::find(*store_, session_->tasks(), kRecentTasks);
  } catch (const std::exception& e) {
    auto* failure = new QAction(WindowError::describe(e), menu_);
    failure->setObjectName(QStringLiteral("trayRecent"));
    failure->setEnabled(false);
    menu_->insertAction(recentEnd_, failure);
  }
  const QString timed = session_->tracking() && session_->held()
                            ? QString::fromStdString(session_->held()->subject)
                            : QString();
  for (const Task& task : recent) {
    const QString subject = QString::fromStdString(task.subject);
    auto* action = new QAction(QString(subject).replace('&', QStringLiteral("&&")), menu_);
    action->setObjectName(QStringLiteral("trayRecent"));
    action->setCheckable(true);
    action->setChecked(subject == timed);
    connect(action, &QAction::triggered, this, [this, subject] { startTask(subject); });
    menu_->insertAction(recentEnd_, action);
  }
}

void TrayIcon::startChosen() {
  const QString task = chosenTask_ ? chosenTask_() : QString();
  if (task.isEmpty()) {
    emit showWindowRequested();
    messages_.show(tr("Select a Task"), MessageBoxes::Icon::Warning);
    return;
  }
  startTask(task);
}

void TrayIcon::startLast() {
  track([](TrackingSession& s) {
    if (const std::optional<Task> last = s.lastTask()) s.start(last->subject);
  });
}

// Starts the task, or switches to it while another one is timed.
void TrayIcon::startTask(const QString& subject) {
  track([&](TrackingSession& s) {
    if (s.tracking())
      s.switchTo(subject.toStdString());
    else
      s.start(subject.toStdString());
  });
}

void TrayIcon::track(const std::function<void(TrackingSession&)>& step) {
  if (!session_) return;
  try {
    step(*session_);
  } catch (const std::exception& e) {
    messages_.show("Error saving Journal Entry\r\n" + WindowError::describe(e),
                   MessageBoxes::Icon::Warning);
  }
  refresh();
  emit tracked();
}

void TrayIcon::sayStillRunning() {
  if (saidStillRunning_) return;
  saidStillRunning_ = true;
  tray_->showMessage(QStringLiteral("Tallyworks"),
                     tr("Tallyworks keeps running here; Quit in this menu ends it."),
                     QSystemTrayIcon::Information, 8000);
}

QIcon TrayIcon::timingIcon(const QIcon& base) {
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64}) {
    QPixmap pixmap = base.pixmap(size, size);
    if (pixmap.isNull() || pixmap.width() != size) {
      pixmap = QPixmap(size, size);
      pixmap.fill(Qt::transparent);
    }
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal dot = size * 0.45;
    painter.setPen(QPen(Qt::white, size / 16.0));
    painter.setBrush(QColor(0xd0, 0x20, 0x20));
    painter.drawEllipse(QRectF(size - dot - 0.5, size - dot - 0.5, dot, dot));
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace tw
