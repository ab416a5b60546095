#include "gui/main/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDropEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>
#include <utility>

#include "gui/common/WindowError.h"
#include "gui/journal/JournalWindow.h"
#include "gui/main/MainWindowMenu.h"
#include "gui/main/OverdueGuard.h"
#include "gui/main/RecoveryPrompt.h"
#include "gui/main/TitleCaption.h"
#include "gui/report/ReportPanel.h"

namespace tw {

namespace {

// The window's outer corner from the screen's available area's.
constexpr int kScreenMargin = 7;
// The task list shows about this many characters of a subject; the window is widened for more.
constexpr int kTaskChars = 20;

// A button as wide as its caption (with its access key's "&") needs, not the style's usual least
// width, so that the row stays compact at any font size or scale.
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QKeySequence& key, bool bold = false) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  if (!key.isEmpty()) button->setShortcut(key);
  if (bold) {
    QFont f = button->font();
    f.setBold(true);
    button->setFont(f);
  }
  const QFontMetrics metrics(button->font());
  const int text = metrics.horizontalAdvance(QString(caption).remove('&'));
  button->setFixedWidth(std::max(text, metrics.height()) + metrics.height());
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
  auto* column = new QVBoxLayout(client);
  column->setContentsMargins(2, 2, 2, 2);
  column->setSpacing(4);
  column->addLayout(buildTaskRow(client));
  reportPanel_ = new ReportPanel(guardedServices_, stores, std::move(storePath), client);
  column->addWidget(reportPanel_, 1);
  buildMenu();
  buildStatusBar();
  // The keyboard follows the window: the task row left to right, then the report area.
  QWidget* const order[] = {
      taskList_,    lastButton_,   startButton_,    stopButton_,
      pauseButton_, reportToggle_, menu_->button(), reportPanel_->firstInTabOrder()};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  tickTimer_ = new QTimer(this);
  tickTimer_->setObjectName(QStringLiteral("tickTimer"));
  tickTimer_->setInterval(500);
  connect(tickTimer_, &QTimer::timeout, this, &MainWindow::onTick);
  tickTimer_->start();
  fitHeight();
}

// The task list, then Last, Start, Stop, "||" and "R", each with an access key (Alt and the
// letter); the menu button follows them.
QLayout* MainWindow::buildTaskRow(QWidget* client) {
  taskList_ = new QComboBox(client);
  taskList_->setObjectName(QStringLiteral("taskList"));
  taskList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  taskList_->setMinimumContentsLength(kTaskChars);
  taskList_->setAcceptDrops(true);
  taskList_->installEventFilter(this);
  lastButton_ = makeButton(client, "lastButton", QStringLiteral("&Last"), {});
  startButton_ = makeButton(client, "startButton", QStringLiteral("&Start"), {});
  stopButton_ = makeButton(client, "stopButton", QStringLiteral("S&top"), {});
  pauseButton_ = makeButton(client, "pauseButton", QStringLiteral("||"), Qt::ALT | Qt::Key_P, true);
  pauseButton_->setToolTip(tr("Pause (Alt+P): the period of work stays open"));
  reportToggle_ = makeButton(client, "reportToggle", QStringLiteral("&R"), {}, true);
  reportToggle_->setToolTip(tr("Show or hide the report area (Alt+R)"));

  auto* row = new QHBoxLayout;
  row->setSpacing(4);
  row->addWidget(taskList_, 1);
  for (QWidget* w : {lastButton_, startButton_, stopButton_, pauseButton_, reportToggle_})
    row->addWidget(w);
  connect(taskList_, &QComboBox::activated, this, &MainWindow::onTaskActivated);
  connect(lastButton_, &QPushButton::clicked, this, &MainWindow::onLastClicked);
  connect(startButton_, &QPushButton::clicked, this, &MainWindow::onStartClicked);
  connect(stopButton_, &QPushButton::clicked, this, &MainWindow::onStopClicked);
  connect(pauseButton_, &QPushButton::clicked, this, &MainWindow::onPauseClicked);
  connect(reportToggle_, &QPushButton::clicked, this, &MainWindow::onReportToggleClicked);
  taskRow_ = row;
  return row;
}

MainWindow::~MainWindow() = default;

// The menu at the end of the task row, which is the window's context menu too. Each window
// it opens is one line here.
void MainWindow::buildMenu() {
  menu_ = new MainWindowMenu(*this);
  menu_->addWindowEntry("tasksAction", tr("&Tasks…"), Qt::CTRL | Qt::Key_T, this,
                        &MainWindow::openTasks);
  menu_->addWindowEntry("journalAction", tr("&Journal…"), Qt::CTRL | Qt::Key_J, this,
                        &MainWindow::openJournal);
  menu_->addWindowEntry("summaryAction", tr("S&ummary…"), Qt::CTRL | Qt::Key_U, this,
                        &MainWindow::summaryRequested);
  menu_->addWindowEntry("timesheetAction", tr("Time&sheet…"), Qt::CTRL | Qt::Key_E, this,
                        &MainWindow::openTimesheet);
  menu_->addWindowEntry("billingAction", tr("&Billing…"), Qt::CTRL | Qt::Key_B, this,
                        &MainWindow::openBilling);
  menu_->addWindowEntry("clientsAction", tr("C&lients…"), QKeySequence(), this,
                        &MainWindow::openClients);
  menu_->addWindowEntry("preferencesAction", tr("P&references…"), Qt::CTRL | Qt::Key_Comma, this,
                        &MainWindow::preferencesRequested);
  menu_->setQuit(this, &MainWindow::quitRequested);
  taskRow_->addWidget(menu_->button());
}

void MainWindow::buildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setContentsMargins(0, 0, 0, 0);
  timePanel_ = new QLabel(bar);
  timePanel_->setObjectName(QStringLiteral("timePanel"));
  timePanel_->setMinimumWidth(
      QFontMetrics(timePanel_->font()).horizontalAdvance(QStringLiteral("9999h 59m")));
  detailPanel_ = new QLabel(bar);
  detailPanel_->setObjectName(QStringLiteral("detailPanel"));
  detailPanel_->setMinimumWidth(0);
  for (QLabel* panel : {timePanel_, detailPanel_}) {
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setContentsMargins(2, 0, 2, 0);
    bar->addWidget(panel, panel == detailPanel_ ? 1 : 0);
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
  const QRect screenArea = screen() ? screen()->availableGeometry() : QRect();
  move(screenArea.topLeft() + QPoint(kScreenMargin, kScreenMargin));
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
  reportPanel_->setVisible(show);
  fitHeight();
}

// The window keeps the width the user gave it (its own before it is first shown) and takes
// the height its rows need; without the report area it does not grow taller.
void MainWindow::fitHeight() {
  setMaximumHeight(QWIDGETSIZE_MAX);
  centralWidget()->layout()->activate();
  layout()->activate();
  const QSize wanted = sizeHint();
  resize(isVisible() ? width() : wanted.width(), wanted.height());
  if (!reportShown_) setMaximumHeight(wanted.height());
}

// The journal window closes with the main window, so that the program ends.
void MainWindow::closeEvent(QCloseEvent* event) {
  tickTimer_->stop();
  if (journal_) journal_->close();
  saveRunningEntry();
  event->accept();
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
