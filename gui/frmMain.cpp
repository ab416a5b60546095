#include "tracking/frmMain.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>

#include "Version.h"
#include "model/Clock.h"
#include "reporting/Report.h"
#include "reporting/Twips.h"
#include "store/JournalItem.h"
#include "tracking/GuardedMessages.h"
#include "tracking/TaskList.h"

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

QRect twips(int left, int top, int width, int height) {
  return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
               twipsToPixels(height));
}

QPushButton* makeButton(QWidget* parent, const QString& caption, QRect geometry,
                        bool bold = false) {
  auto* button = new QPushButton(caption, parent);
  button->setGeometry(geometry);
  if (bold) {
    QFont f = button->font();
    f.setBold(true);
    button->setFont(f);
  }
  return button;
}

QLabel* makeLabel(QWidget* parent, const QString& caption, QRect geometry) {
  auto* label = new QLabel(caption, parent);
  label->setGeometry(geometry);
  return label;
}

QLineEdit* makeTextBox(QWidget* parent, QRect geometry, bool readOnly) {
  auto* box = new QLineEdit(parent);
  box->setGeometry(geometry);
  box->setReadOnly(readOnly);
  return box;
}

}  // namespace

frmMain::frmMain(WindowServices& services, QWidget* parent)
    : QMainWindow(parent),
      services_(services),
      messages_(std::make_unique<GuardedMessages>(services.messages)) {
  setWindowTitle(MessageBoxes::kDefaultTitle);
  QFont f = font();
  f.setPointSizeF(8.25);
  setFont(f);
  buildControls();
  buildReportArea();
  connectReportArea();
  Timer1 = new QTimer(this);
  Timer1->setInterval(500);
  connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
  Timer1->start();
  applyHeight();
}

frmMain::~frmMain() = default;

void frmMain::buildControls() {
  auto* client = new QWidget(this);
  setCentralWidget(client);

  lstTasks = new QComboBox(client);
  lstTasks->setEditable(false);
  lstTasks->setGeometry(twips(0, 30, 2820, 315));
  lstTasks->setAcceptDrops(true);
  lstTasks->installEventFilter(this);
  btnLast = makeButton(client, "Last", twips(2925, 45, 585, 300));
  btnStart = makeButton(client, "Start", twips(3555, 45, 585, 300));
  btnStop = makeButton(client, "Stop", twips(4185, 45, 585, 300));
  btnPause = makeButton(client, "||", twips(4815, 45, 285, 300), true);
  btnExpand = makeButton(client, "R", twips(5250, 45, 330, 300), true);

  StatusBar = new QStatusBar(this);
  StatusBar->setSizeGripEnabled(false);
  StatusBar->setFixedHeight(twipsToPixels(kStatusBarHeight));
  StatusBar->setContentsMargins(0, 0, 0, 0);
  statusPanel1 = new QLabel(StatusBar);
  statusPanel1->setFixedWidth(twipsToPixels(1000));
  statusPanel2 = new QLabel(StatusBar);
  statusPanel2->setFixedWidth(twipsToPixels(4560));
  for (QLabel* panel : {statusPanel1, statusPanel2}) {
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setContentsMargins(2, 0, 2, 0);
    StatusBar->addWidget(panel);
  }
  setStatusBar(StatusBar);

  connect(lstTasks, &QComboBox::activated, this, &frmMain::lstTasks_Click);
  connect(btnLast, &QPushButton::clicked, this, &frmMain::btnLast_Click);
  connect(btnStart, &QPushButton::clicked, this, &frmMain::btnStart_Click);
  connect(btnStop, &QPushButton::clicked, this, &frmMain::btnStop_Click);
  connect(btnPause, &QPushButton::clicked, this, &frmMain::btnPause_Click);
}

void frmMain::buildReportArea() {
  frReport = new QGroupBox("Report", centralWidget());
  frReport->setGeometry(twips(0, 450, 5595, 2415));
  Label1 = makeLabel(frReport, "Category:", twips(465, 360, 855, 255));
  txtCategory = makeTextBox(frReport, twips(1260, 315, 3390, 285), false);
  Label2 = makeLabel(frReport, "Start:", twips(465, 795, 855, 255));
  txtStartDate = makeTextBox(frReport, twips(1260, 750, 2910, 285), true);
  btnDateStart = makeButton(frReport, "...", twips(4215, 750, 435, 270));
  Label3 = makeLabel(frReport, "End:", twips(465, 1140, 855, 255));
  txtEndDate = makeTextBox(frReport, twips(1260, 1095, 2910, 285), true);
  btnDateEnd = makeButton(frReport, "...", twips(4215, 1110, 435, 270));
  btnReport = makeButton(frReport, "Generate Report", twips(1095, 1620, 1575, 495));
  btnCSV = makeButton(frReport, "Generate CSV", twips(2985, 1620, 1575, 495));

  // Keyboard order by the designed tab indexes.
  QWidget* const order[] = {btnCSV,      btnDateEnd, btnDateStart, txtEndDate, txtStartDate,
                            txtCategory, btnReport,  lstTasks,     btnStart,   btnStop,
                            btnExpand,   btnPause,   btnLast};
  for (std::size_t i = 1; i < std::size(order); ++i) {
    QWidget::setTabOrder(order[i - 1], order[i]);
  }
}

MessageBoxes& frmMain::messages() {
  return *messages_;
}

void frmMain::Form_Load() {
  lastSaveTime = Clock::current().now();
  const QRect screenArea = screen() ? screen()->geometry() : QRect();
  move(screenArea.left() + twipsToPixels(100), screenArea.top() + twipsToPixels(100));
  setWindowTitle(QStringLiteral("%1 v%2.%3.%4")
                     .arg(MessageBoxes::kDefaultTitle)
                     .arg(version::major)
                     .arg(version::minor)
                     .arg(version::revision));
  showReportArea(false);
  fillTaskList("");
  setTracking(false, false);
}

void frmMain::showReportArea(bool show) {
  reportShown = show;
  if (show) {
    frReport->setVisible(true);
    applyHeight();
  } else {
    applyHeight();
    frReport->setVisible(false);
  }
}

// The outer height is designed with the title bar included: the client area gets what the
// frame leaves, but never so little that the task row or the report area is cut off.
void frmMain::applyHeight() {
  const int frame = frameGeometry().height() - geometry().height();
  const int outer = twipsToPixels(reportShown ? kExpandedHeight : kCollapsedHeight);
  const int least = twipsToPixels(reportShown ? kExpandedClientMin : kCollapsedClientMin);
  setFixedSize(twipsToPixels(kClientWidth), std::max(outer - frame, least));
}

void frmMain::Form_Unload() {
  Timer1->stop();
  if (currentEntry) {
    try {
      currentEntry->Save();
    } catch (...) {
      // Closing never fails: a last save that does not reach the store goes unnoticed.
    }
  }
  currentEntry.reset();
  taskList.reset();
  currentReport.reset();
}

void frmMain::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void frmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  applyHeight();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lstTasks) {
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove:
        static_cast<QDropEvent*>(event)->acceptProposedAction();
        return true;
      case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        drop->acceptProposedAction();
        lstTasks_OLEDragDrop(drop->mimeData());
        return true;
      }
      default:
        break;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace tw
