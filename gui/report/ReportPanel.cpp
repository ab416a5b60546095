#include "gui/report/ReportPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <exception>
#include <utility>

#include "core/DateText.h"
#include "gui/common/DialogRunner.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/Twips.h"
#include "gui/common/WindowError.h"
#include "gui/common/WindowServices.h"
#include "gui/report/DatePickerDialog.h"
#include "gui/report/DoubleClickFilter.h"
#include "gui/report/ReportViewer.h"

namespace tw {

namespace {

using Icon = MessageBoxes::Icon;

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QRect at) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(at);
  return button;
}

// A date field is read-only: filled by its "..." button, emptied by a double-click.
QLineEdit* makeDateField(QWidget* parent, const char* name, QRect at) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QString::fromLatin1(name));
  field->setGeometry(at);
  field->setReadOnly(true);
  field->installEventFilter(new DoubleClickFilter([field] { field->clear(); }, field));
  return field;
}

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

void ReportPanel::build() {
  setObjectName(QStringLiteral("reportPanel"));
  (new QLabel(QStringLiteral("Category:"), this))->setGeometry(Twips::rect(465, 360, 855, 255));
  categoryField_ = new QLineEdit(this);
  categoryField_->setObjectName(QStringLiteral("categoryField"));
  categoryField_->setGeometry(Twips::rect(1260, 315, 3390, 285));
  (new QLabel(QStringLiteral("Start:"), this))->setGeometry(Twips::rect(465, 795, 855, 255));
  startDateField_ = makeDateField(this, "startDateField", Twips::rect(1260, 750, 2910, 285));
  startDateButton_ = makeButton(this, "startDateButton", "...", Twips::rect(4215, 750, 435, 270));
  (new QLabel(QStringLiteral("End:"), this))->setGeometry(Twips::rect(465, 1140, 855, 255));
  endDateField_ = makeDateField(this, "endDateField", Twips::rect(1260, 1095, 2910, 285));
  endDateButton_ = makeButton(this, "endDateButton", "...", Twips::rect(4215, 1110, 435, 270));
  reportButton_ =
      makeButton(this, "reportButton", "Generate Report", Twips::rect(1095, 1620, 1575, 495));
  csvButton_ = makeButton(this, "csvButton", "Generate CSV", Twips::rect(2985, 1620, 1575, 495));

  QWidget* const order[] = {csvButton_,      endDateButton_, startDateButton_, endDateField_,
                            startDateField_, categoryField_, reportButton_};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

QWidget* ReportPanel::lastInTabOrder() const {
  return reportButton_;
}

void ReportPanel::onGenerateReportClicked() {
  startJob(ReportJob::Kind::Text);
}

void ReportPanel::onGenerateCsvClicked() {
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
    if (datePicker_->choose(*window()))
      field.setText(QString::fromStdString(DateText::shortDate(datePicker_->selectedDate())));
  } catch (const std::exception& e) {
    services_.messages.show(WindowError::describe(e), Icon::Critical);
  }
}

}  // namespace tw
