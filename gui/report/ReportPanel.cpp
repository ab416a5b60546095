#include "gui/report/ReportPanel.h"
#include "gui/common/NamedButton.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>
#include <iterator>
#include <utility>

#include "core/DateText.h"
#include "gui/common/DialogRunner.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/WindowError.h"
#include "gui/common/WindowServices.h"
#include "gui/report/DatePickerDialog.h"
#include "gui/report/DoubleClickFilter.h"
#include "gui/report/ReportViewer.h"

namespace tw {

namespace {

using Icon = MessageBoxes::Icon;

// A date field is read-only: filled by its "..." button, emptied by a double-click.
QLineEdit* makeDateField(QWidget* parent, const char* name) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QString::fromLatin1(name));
  field->setReadOnly(true);
  field->installEventFilter(new DoubleClickFilter([field] { field->clear(); }, field));
  return field;
}

// A "..." button as narrow as its caption.
QPushButton* makePickButton(QWidget* parent, const char* name) {
  QPushButton* button = namedButton(parent, name, QStringLiteral("..."));
  const QFontMetrics metrics(button->font());
  button->setFixedWidth(metrics.horizontalAdvance(button->text()) + metrics.height());
  return button;
}

const char* const kReportCaption = "Generate Report";
const char* const kCsvCaption = "Generate CSV";

}  // namespace

ReportPanel::ReportPanel(WindowServices& services, const StoreOpener& stores, std::string storePath,
                         QWidget* parent)
    : QGroupBox(QStringLiteral("Report"), parent),
      services_(services),
      job_(stores, std::move(storePath)),
      csvFile_(services.saveDialog, services.messages, QStringLiteral("csv")) {
  build();
  connect(reportButton_, &QPushButton::clicked, this, &ReportPanel::onGenerateReportClicked);
  connect(csvButton_, &QPushButton::clicked, this, &ReportPanel::onGenerateCsvClicked);
  connect(startDateButton_, &QPushButton::clicked, this, &ReportPanel::onStartDateClicked);
  connect(endDateButton_, &QPushButton::clicked, this, &ReportPanel::onEndDateClicked);
  connect(&job_, &ReportJob::progressed, this, &ReportPanel::onReportProgress);
  connect(&job_, &ReportJob::finished, this, &ReportPanel::onReportFinished);
}

// Category, the first and the last day, then the two requests, in the order of the keyboard.
void ReportPanel::build() {
  setObjectName(QStringLiteral("reportPanel"));
  categoryField_ = new QLineEdit(this);
  categoryField_->setObjectName(QStringLiteral("categoryField"));
  startDateField_ = makeDateField(this, "startDateField");
  startDateButton_ = makePickButton(this, "startDateButton");
  endDateField_ = makeDateField(this, "endDateField");
  endDateButton_ = makePickButton(this, "endDateButton");
  reportButton_ = namedButton(this, "reportButton", QString::fromLatin1(kReportCaption));
  csvButton_ = namedButton(this, "csvButton", QString::fromLatin1(kCsvCaption));

  auto* grid = new QGridLayout;
  grid->setColumnStretch(1, 1);
  const std::pair<const char*, QWidget*> rows[] = {
      {"Category:", categoryField_}, {"Start:", startDateField_}, {"End:", endDateField_}};
  for (int row = 0; row < static_cast<int>(std::size(rows)); ++row) {
    grid->addWidget(new QLabel(QString::fromLatin1(rows[row].first), this), row, 0);
    grid->addWidget(rows[row].second, row, 1, 1, row == 0 ? 2 : 1);
  }
  grid->addWidget(startDateButton_, 1, 2);
  grid->addWidget(endDateButton_, 2, 2);
  auto* requests = new QHBoxLayout;
  requests->addStretch(1);
  requests->addWidget(reportButton_);
  requests->addWidget(csvButton_);
  requests->addStretch(1);
  auto* column = new QVBoxLayout(this);
  column->addLayout(grid);
  column->addLayout(requests);
  column->addStretch(1);

  QWidget* const order[] = {categoryField_, startDateField_, startDateButton_, endDateField_,
                            endDateButton_, reportButton_,   csvButton_};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

QWidget* ReportPanel::firstInTabOrder() const {
  return categoryField_;
}

void ReportPanel::onGenerateReportClicked() {
  if (job_.running()) return job_.cancel();
  startJob(ReportJob::Kind::Text);
}

void ReportPanel::onGenerateCsvClicked() {
  if (job_.running()) return job_.cancel();
  if (startDateField_->text().isEmpty() || endDateField_->text().isEmpty()) {
    services_.messages.show(QStringLiteral("Please enter a date range for a CSV file"),
                            Icon::Warning);
    return;
  }
  startJob(ReportJob::Kind::Csv);
}

void ReportPanel::startJob(ReportJob::Kind kind) {
  ReportRequest request;
  try {
    request = ReportRequest::typed(categoryField_->text().toStdString(),
                                   startDateField_->text().toStdString(),
                                   endDateField_->text().toStdString());
  } catch (const std::exception& e) {
    services_.messages.show(WindowError::describe(e), Icon::Critical);
    return;
  }
  setRequestsEnabled(false);
  // The request's own button cancels it while the journal is read.
  QPushButton* running = kind == ReportJob::Kind::Text ? reportButton_ : csvButton_;
  running->setText(QStringLiteral("Cancel"));
  running->setEnabled(true);
  onReportProgress(0);
  job_.start(kind, std::move(request));
}

void ReportPanel::onReportProgress(qulonglong items) {
  emit statusMessage(QStringLiteral("Reading journal\u2026 %1 items").arg(items));
}

void ReportPanel::onReportFinished() {
  emit statusMessage(QString());
  switch (job_.failure()) {
    case ReportJob::Failure::Store:
      services_.messages.show(job_.description(), QStringLiteral("Error Getting Journal Entries"),
                              Icon::Critical);
      break;
    case ReportJob::Failure::Report:
      services_.messages.show(job_.description(), Icon::Critical);
      break;
    case ReportJob::Failure::Cancelled:
      break;
    case ReportJob::Failure::None:
      if (job_.kind() == ReportJob::Kind::Text) {
        showReport(job_.takeResult());
      } else {
        csvFile_.save(this, QByteArray::fromStdString(job_.takeResult()));
      }
      break;
  }
  setRequestsEnabled(true);
}

void ReportPanel::showReport(std::string text) {
  ReportViewer viewer(services_, window());
  viewer.setText(std::move(text));
  services_.dialogs.exec(viewer);
}

void ReportPanel::setRequestsEnabled(bool enabled) {
  reportButton_->setText(QString::fromLatin1(kReportCaption));
  csvButton_->setText(QString::fromLatin1(kCsvCaption));
  for (QWidget* control : std::initializer_list<QWidget*>{reportButton_, csvButton_, categoryField_,
                                                          startDateButton_, endDateButton_}) {
    control->setEnabled(enabled);
  }
}

void ReportPanel::onStartDateClicked() {
  pickDate(*startDateField_);
}

void ReportPanel::onEndDateClicked() {
  pickDate(*endDateField_);
}

void ReportPanel::pickDate(QLineEdit& field) {
  try {
    if (!datePicker_) datePicker_ = new DatePickerDialog(services_.dialogs, services_.clock, this);
    if (datePicker_->choose())
      field.setText(QString::fromStdString(DateText::shortDate(datePicker_->selectedDate())));
  } catch (const std::exception& e) {
    services_.messages.show(WindowError::describe(e), Icon::Critical);
  }
}

}  // namespace tw
