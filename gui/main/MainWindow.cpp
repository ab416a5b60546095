#include "gui/main/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "gui/common/Twips.h"
#include "gui/common/WindowError.h"
#include "gui/journal/JournalWindow.h"
#include "gui/main/OverdueGuard.h"
#include "gui/main/RecoveryPrompt.h"
#include "gui/main/TitleCaption.h"
#include "gui/report/ReportPanel.h"

namespace tw {

namespace {

constexpr int kClientWidth = 5595;
constexpr int kCollapsedHeight = 990;  // outer height, title bar and borders included
constexpr int kExpandedHeight = 3495;
constexpr int kStatusBarHeight = 210;
// The least client heights that still show the task row, or the whole report area, above
// the status bar when a window manager draws a tall title bar.
constexpr int kCollapsedClientMin = 345 + kStatusBarHeight;
constexpr int kExpandedClientMin = 3090;

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QRect at,
                        bool bold = false) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(at);
  if (bold) {
    QFont f = button->font();
    f.setBold(true);
    button->setFont(f);
  }
  return button;
}

}  // namespace

MainWindow::MainWindow(WindowServices& services, const StoreOpener& stores, std::string storePath,
                       QWidget* parent)
    : QMainWindow(parent),
      messages_(services.messages),
      guardedServices_{messages_, services.saveDialog, services.printer, services.dialogs,
                       services.clock},
      stores_(stores),
      storePath_(storePath) {
  setWindowTitle(MessageBoxes::kDefaultTitle);
  QFont f = font();
  f.setPointSizeF(8.25);
  setFont(f);
  auto* client = new QWidget(this);
  setCentralWidget(client);
  reportPanel_ = new ReportPanel(guardedServices_, stores, std::move(storePath), client);
  reportPanel_->setGeometry(Twips::rect(0, 450, 5595, 2415));
  buildTaskRow(client);
  buildMenu(client);
  buildStatusBar();
  tickTimer_ = new QTimer(this);
  tickTimer_->setObjectName(QStringLiteral("tickTimer"));
  tickTimer_->setInterval(500);
  connect(tickTimer_, &QTimer::timeout, this, &MainWindow::onTick);
  tickTimer_->start();
  applyHeight();
}

void MainWindow::buildTaskRow(QWidget* client) {
  taskList_ = new QComboBox(client);
  taskList_->setObjectName(QStringLiteral("taskList"));
  taskList_->setGeometry(Twips::rect(0, 30, 2820, 315));
  taskList_->setAcceptDrops(true);
  taskList_->installEventFilter(this);
  lastButton_ = makeButton(client, "lastButton", "Last", Twips::rect(2925, 45, 585, 300));
  startButton_ = makeButton(client, "startButton", "Start", Twips::rect(3555, 45, 585, 300));
  stopButton_ = makeButton(client, "stopButton", "Stop", Twips::rect(4185, 45, 585, 300));
  pauseButton_ = makeButton(client, "pauseButton", "||", Twips::rect(4815, 45, 285, 300), true);
  QPushButton* reportToggle =
      makeButton(client, "reportToggle", "R", Twips::rect(5250, 45, 330, 300), true);

  QWidget* const order[] = {reportPanel_->lastInTabOrder(),
                            taskList_,
                            startButton_,
                            stopButton_,
                            reportToggle,
                            pauseButton_,
                            lastButton_};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  connect(taskList_, &QComboBox::activated, this, &MainWindow::onTaskActivated);
  connect(lastButton_, &QPushButton::clicked, this, &MainWindow::onLastClicked);
  connect(startButton_, &QPushButton::clicked, this, &MainWindow::onStartClicked);
  connect(stopButton_, &QPushButton::clicked, this, &MainWindow::onStopClicked);
  connect(pauseButton_, &QPushButton::clicked, this, &MainWindow::onPauseClicked);
  connect(reportToggle, &QPushButton::clicked, this, &MainWindow::onReportToggleClicked);
}

MainWindow::~MainWindow() = default;

// "Tasks…" (Ctrl+T) and "Journal…" (Ctrl+J), from the context menu of the window and its task
// list.
void MainWindow::buildMenu(QWidget* client) {
  auto* tasks = new QAction(QStringLiteral("&Tasks…"), this);
  tasks->setObjectName(QStringLiteral("tasksAction"));
  tasks->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  auto* journal = new QAction(QStringLiteral("&Journal…"), this);
  journal->setObjectName(QStringLiteral("journalAction"));
  journal->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
  auto* summary = new QAction(QStringLiteral("S&ummary…"), this);
  summary->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
  for (QWidget* w : {static_cast<QWidget*>(this), client, static_cast<QWidget*>(taskList_)}) {
    w->addActions({tasks, journal, summary});
    w->setContextMenuPolicy(Qt::ActionsContextMenu);
  }
  addBillingActions({this, client, taskList_});
  connect(tasks, &QAction::triggered, this, &MainWindow::openTasks);
  connect(journal, &QAction::triggered, this, &MainWindow::openJournal);
  connect(summary, &QAction::triggered, this, &MainWindow::summaryRequested);
}

void MainWindow::buildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setSizeGripEnabled(false);
  bar->setFixedHeight(Twips::toPixels(kStatusBarHeight));
  bar->setContentsMargins(0, 0, 0, 0);
  timePanel_ = new QLabel(bar);
  timePanel_->setObjectName(QStringLiteral("timePanel"));
  timePanel_->setFixedWidth(Twips::toPixels(1000));
  detailPanel_ = new QLabel(bar);
  detailPanel_->setObjectName(QStringLiteral("detailPanel"));
  detailPanel_->setFixedWidth(Twips::toPixels(4560));
  for (QLabel* panel : {timePanel_, detailPanel_}) {
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setContentsMargins(2, 0, 2, 0);
    bar->addWidget(panel);
  }
  connect(reportPanel_, &ReportPanel::statusMessage, bar,
          [bar](const QString& text) { bar->showMessage(text); });
}

void MainWindow::load(TrackingSession& session, JournalStore& store, JournalEditor& editor) {
  session_ = &session;
  store_ = &store;
  editor_ = &editor;
  caption_ = std::make_unique<TitleCaption>(store, guardedServices_.clock);
  overdue_ = std::make_unique<OverdueGuard>(session, store, guardedServices_,
                                            OverdueGuard::configuredLimit());
  placeAndName();
  fillTaskList(QString());
  try {
    session.attach();
  } catch (const std::exception& e) {
    messages_.show(WindowError::describe(e), QStringLiteral("Error Getting Tasks"),
                   MessageBoxes::Icon::Critical);
  }
  RecoveryPrompt(session, store, guardedServices_).offer(this);
  if (session.tracking()) selectTask(QString::fromStdString(session.held()->subject));
  showTrackingState();
}

void MainWindow::loadWithoutStore(const QString& storeFailure) {
  storeFailure_ = storeFailure;
  placeAndName();
  fillTaskList(QString());
  showTrackingState();
}

void MainWindow::placeAndName() {
  const QRect screenArea = screen() ? screen()->geometry() : QRect();
  move(screenArea.topLeft() + QPoint(Twips::toPixels(100), Twips::toPixels(100)));
  stoppedTitle_ = QStringLiteral("%1 v%2").arg(MessageBoxes::kDefaultTitle, TALLYWORKS_VERSION);
  setWindowTitle(stoppedTitle_);
  showReportArea(false);
}

TrackingSession& MainWindow::session() const {
  if (!session_) throw WindowError(storeFailure_.toStdString());
  return *session_;
}

void MainWindow::saveRunningEntry() {
  if (!session_) return;
  try {
    session_->saveNow();
  } catch (const std::exception& e) {
    messages_.show("Error saving Journal Entry\r\n" + WindowError::describe(e),
                   MessageBoxes::Icon::Critical);
  }
}

void MainWindow::onReportToggleClicked() {
  showReportArea(!reportShown_);
}

void MainWindow::showReportArea(bool show) {
  reportShown_ = show;
  if (show) reportPanel_->setVisible(true);
  applyHeight();
  if (!show) reportPanel_->setVisible(false);
}

// The outer height is designed with the title bar included: the client area gets what the
// frame leaves, but never so little that the task row or the report area is cut off.
void MainWindow::applyHeight() {
  const int frame = frameGeometry().height() - geometry().height();
  const int outer = Twips::toPixels(reportShown_ ? kExpandedHeight : kCollapsedHeight);
  const int least = Twips::toPixels(reportShown_ ? kExpandedClientMin : kCollapsedClientMin);
  setFixedSize(Twips::toPixels(kClientWidth), std::max(outer - frame, least));
}

// The journal window closes with the main window, so that the program ends.
void MainWindow::closeEvent(QCloseEvent* event) {
  tickTimer_->stop();
  if (journal_) journal_->close();
  saveRunningEntry();
  event->accept();
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  applyHeight();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != taskList_) return QMainWindow::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
      static_cast<QDropEvent*>(event)->acceptProposedAction();
      return true;
    case QEvent::Drop:
      static_cast<QDropEvent*>(event)->acceptProposedAction();
      dropJournalText(static_cast<QDropEvent*>(event)->mimeData());
      return true;
    case QEvent::MouseButtonPress:
      // A list without tasks leads straight to the tasks window, to add the first.
      if (!store_ || listsTasks()) return QMainWindow::eventFilter(watched, event);
      QMetaObject::invokeMethod(this, &MainWindow::openTasks, Qt::QueuedConnection);
      return true;
    default:
      return QMainWindow::eventFilter(watched, event);
  }
}

}  // namespace tw
