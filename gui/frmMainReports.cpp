// The report area of the main window: the two report requests, the date fields and the
// showing and hiding of the area.
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <exception>
#include <utility>

#include "model/DateText.h"
#include "reporting/DoubleClickFilter.h"
#include "reporting/Report.h"
#include "reporting/SaveTextFile.h"
#include "reporting/frmDate.h"
#include "reporting/frmViewer.h"
#include "store/Application.h"
#include "store/JournalReader.h"
#include "store/MAPIFolder.h"
#include "store/NameSpace.h"
#include "tracking/DialogRunner.h"
#include "tracking/WindowError.h"
#include "tracking/frmMain.h"

namespace tw {

namespace {

// How many journal items are read between two updates of the progress text.
constexpr std::size_t kProgressEvery = 5000;

}  // namespace

void frmMain::connectReportArea() {
  connect(btnExpand, &QPushButton::clicked, this, &frmMain::btnExpand_Click);
  connect(btnReport, &QPushButton::clicked, this, &frmMain::btnReport_Click);
  connect(btnCSV, &QPushButton::clicked, this, &frmMain::btnCSV_Click);
  connect(btnDateStart, &QPushButton::clicked, this, &frmMain::btnDateStart_Click);
  connect(btnDateEnd, &QPushButton::clicked, this, &frmMain::btnDateEnd_Click);
  txtStartDate->installEventFilter(
      new DoubleClickFilter([this] { txtStartDate_DblClick(); }, txtStartDate));
  txtEndDate->installEventFilter(
      new DoubleClickFilter([this] { txtEndDate_DblClick(); }, txtEndDate));
}

void frmMain::btnExpand_Click() {
  showReportArea(!reportShown);
}

void frmMain::btnReport_Click() {
  setReportEnabled(false);
  if (getJournalEntries()) {
    applyReportSettings();
    try {
      std::string text = currentReport->Generate();
      WindowServices services = reportWindowServices();
      frmViewer viewer(services, this);
      viewer.setText(std::move(text));
      services_.dialogs.exec(viewer);
    } catch (const std::exception& e) {
      messages().show(describe(e), MessageBoxes::Icon::Critical);
    }
  }
  setReportEnabled(true);
}

void frmMain::btnCSV_Click() {
  setReportEnabled(false);
  if (txtStartDate->text().isEmpty() || txtEndDate->text().isEmpty()) {
    messages().show(QStringLiteral("Please enter a date range for a CSV file"),
                    MessageBoxes::Icon::Warning);
  } else if (getJournalEntries()) {
    applyReportSettings();
    std::string csv;
    bool rendered = false;
    try {
      csv = currentReport->CSV();
      rendered = true;
    } catch (const std::exception& e) {
      messages().show(describe(e), MessageBoxes::Icon::Critical);
    }
    if (rendered) saveFile(csv, QStringLiteral("csv"));
  }
  setReportEnabled(true);
}

void frmMain::btnDateStart_Click() {
  pickDate(*txtStartDate);
}

void frmMain::btnDateEnd_Click() {
  pickDate(*txtEndDate);
}

void frmMain::txtStartDate_DblClick() {
  txtStartDate->setText(QString());
}

void frmMain::txtEndDate_DblClick() {
  txtEndDate->setText(QString());
}

bool frmMain::getJournalEntries() {
  setEnabled(false);
  bool complete = false;
  try {
    Application outlook;
    NameSpace mapi = outlook.GetNamespace("MAPI");
    const MAPIFolder journal = mapi.GetDefaultFolder(olFolderJournal);
    currentReport = std::make_unique<Report>();
    Report& report = *currentReport;
    showReadingProgress(0);
    JournalReader(journal).read(
        [&report](std::shared_ptr<JournalEntry> entry) { report.Add(std::move(entry)); },
        [this](std::size_t items) { showReadingProgress(items); }, kProgressEvery);
    complete = true;
  } catch (const std::exception& e) {
    messages().show(describe(e), QStringLiteral("Error Getting Journal Entries"),
                    MessageBoxes::Icon::Critical);
  }
  StatusBar->clearMessage();
  setEnabled(true);
  return complete;
}

void frmMain::setReportEnabled(bool enabled) {
  btnReport->setEnabled(enabled);
  txtCategory->setEnabled(enabled);
  btnDateStart->setEnabled(enabled);
  btnDateEnd->setEnabled(enabled);
  btnCSV->setEnabled(enabled);
}

void frmMain::saveFile(const std::string& text, const QString& extension) {
  WindowServices services = reportWindowServices();
  saveTextFile(services, this, commonDialogFileName, QByteArray::fromStdString(text), extension);
}

void frmMain::applyReportSettings() {
  currentReport->Category = txtCategory->text().toStdString();
  currentReport->startdate = txtStartDate->text().toStdString();
  currentReport->enddate = txtEndDate->text().toStdString();
}

void frmMain::pickDate(QLineEdit& field) {
  try {
    if (dateDialog == nullptr) dateDialog = new frmDate(services_.dialogs, this);
    const bool chosen = dateDialog->ShowGetDate(*this);
    dateDialog->hide();
    if (chosen)
      field.setText(QString::fromStdString(DateText::shortDate(dateDialog->selectedDate)));
  } catch (const std::exception& e) {
    messages().show(describe(e), MessageBoxes::Icon::Critical);
  }
}

void frmMain::showReadingProgress(std::size_t items) {
  StatusBar->showMessage(QStringLiteral("Reading journal\u2026 %1 items").arg(items));
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

WindowServices frmMain::reportWindowServices() {
  return WindowServices{messages(), services_.saveDialog, services_.printer, services_.dialogs};
}

}  // namespace tw
