#include "gui/prefs/GeneralPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/BillingTerms.h"
#include "core/Settings.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/WindowError.h"

namespace tw {

GeneralPage::GeneralPage(std::string settingsFile, MessageBoxes& messages, QWidget* parent)
    : QWidget(parent),
      file_(std::move(settingsFile)),
      messages_(messages),
      autostart_(QCoreApplication::applicationFilePath()) {
  build();
  load();
}

void GeneralPage::build() {
  corrections_ = new QLabel(this);
  corrections_->setObjectName(QStringLiteral("corrections"));
  corrections_->setWordWrap(true);
  corrections_->setTextFormat(Qt::PlainText);
  idleMinutes_ = new QSpinBox(this);
  idleMinutes_->setObjectName(QStringLiteral("idleMinutes"));
  idleMinutes_->setRange(1, 480);
  idleMinutes_->setSuffix(tr(" min"));
  // Written when typing ends, not at each key.
  idleMinutes_->setKeyboardTracking(false);
  // Made in the order shown, which is the order of the Tab key.
  QComboBox* onReturn = choice("onReturn", "idle.on_return",
                               {{tr("Ask whether the time counts"), "ask"},
                                {tr("Count the time away"), "keep"},
                                {tr("Leave the time away out and stop"), "discard"},
                                {tr("Leave the time away out and time on"), "restart"},
                                {tr("End the working day when I left"), "stop"}});
  overdueHours_ = new QDoubleSpinBox(this);
  overdueHours_->setObjectName(QStringLiteral("overdueHours"));
  overdueHours_->setRange(0.5, 24);
  overdueHours_->setSingleStep(0.5);
  overdueHours_->setDecimals(2);
  overdueHours_->setSuffix(tr(" h"));
  overdueHours_->setKeyboardTracking(false);
  startAtLogin_ = new QCheckBox(tr("Start Tallyworks when I log in"), this);
  startAtLogin_->setObjectName(QStringLiteral("startAtLogin"));
  QCheckBox* closeToTray =
      toggle("closeToTray", tr("Closing the window leaves Tallyworks in the tray"),
             "window.close_to_tray");
  QComboBox* taskType =
      choice("taskType", "entries.task_type", {{"Task", "Task"}, {"PJ_Task", "PJ_Task"}});

  auto* form = new QFormLayout;
  form->addRow(tr("Away after no input for:"), idleMinutes_);
  form->addRow(tr("When I come back:"), onReturn);
  form->addRow(tr("Question a timer running for:"), overdueHours_);
  form->addRow(startAtLogin_);
  form->addRow(closeToTray);
  form->addRow(tr("Type of task entries:"), taskType);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(corrections_);
  layout->addLayout(form);
  layout->addWidget(buildBilling());
  layout->addStretch();

  connect(idleMinutes_, &QSpinBox::valueChanged, this,
          [this](int v) { change("idle.minutes", QString::number(v)); });
  connect(overdueHours_, &QDoubleSpinBox::valueChanged, this,
          [this](double v) { change("timer.overdue_hours", QString::number(v, 'f', 2)); });
  connect(startAtLogin_, &QCheckBox::toggled, this, &GeneralPage::setAutostart);
}

QWidget* GeneralPage::buildBilling() {
  QList<std::pair<QString, QString>> currencies{{tr("No default"), QStringLiteral("none")}};
  for (const std::string& code : BillingTerms::currencyCodes())
    currencies.append({QString::fromStdString(code), QString::fromStdString(code)});
  QList<std::pair<QString, QString>> minutes;
  for (int m : BillingTerms::roundingMinutes())
    minutes.append({m == 0 ? tr("No rounding") : tr("%1 min").arg(m), QString::number(m)});
  // Made in the order shown, which is the order of the Tab key.
  auto* terms = new QHBoxLayout;
  terms->addWidget(choice("currency", "billing.currency", currencies));
  QCheckBox* billable = toggle("billable", tr("Billable"), "billing.billable");
  billable->setToolTip(tr("Whether a new client's time is billed"));
  terms->addWidget(billable, 1);
  auto* rounding = new QHBoxLayout;
  rounding->addWidget(choice("roundMinutes", "billing.round_minutes", minutes));
  rounding->addWidget(
      choice("roundMode", "billing.round_mode",
             {{tr("up"), "up"}, {tr("to the nearest"), "nearest"}, {tr("down"), "down"}}));
  rounding->addWidget(choice("roundPer", "billing.round_per",
                             {{tr("each entry"), "entry"},
                              {tr("each task per day"), "day"},
                              {tr("each task's total"), "total"}}),
                      1);

  // Three rows, so that the Preferences fit a small screen at a large scale.
  auto* group = new QGroupBox(tr("Billing"), this);
  auto* form = new QFormLayout(group);
  form->addRow(tr("New clients:"), terms);
  form->addRow(tr("Their rounding:"), rounding);
  form->addRow(
      tr("A bill's lines:"),
      choice("lines", "billing.lines",
             {{tr("Per task"), "task"}, {tr("Per day"), "day"}, {tr("Per entry"), "entry"}}));
  return group;
}

QComboBox* GeneralPage::choice(const char* objectName, const char* setting,
                               const QList<std::pair<QString, QString>>& items) {
  auto* box = new QComboBox(this);
  box->setObjectName(QString::fromLatin1(objectName));
  for (const auto& [caption, value] : items) box->addItem(caption, value);
  connect(box, &QComboBox::currentIndexChanged, this,
          [this, box, setting] { change(setting, box->currentData().toString()); });
  choices_.append({box, setting});
  return box;
}

QCheckBox* GeneralPage::toggle(const char* objectName, const QString& caption,
                               const char* setting) {
  auto* box = new QCheckBox(caption, this);
  box->setObjectName(QString::fromLatin1(objectName));
  connect(box, &QCheckBox::toggled, this, [this, setting](bool on) {
    change(setting, on ? QStringLiteral("yes") : QStringLiteral("no"));
  });
  toggles_.append({box, setting});
  return box;
}

// Shows the settings read; values found wrong are said and written back as used.
void GeneralPage::load() {
  Settings settings = Settings::load(file_);
  const QSignalBlocker b1(idleMinutes_), b2(overdueHours_), b3(startAtLogin_);
  idleMinutes_->setValue(settings.idleMinutes());
  overdueHours_->setValue(settings.overdueHours());
  startAtLogin_->setChecked(autostart_.enabled());
  for (const auto& [box, setting] : choices_) {
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(box->findData(QString::fromStdString(settings.text(setting))));
  }
  for (const auto& [box, setting] : toggles_) {
    const QSignalBlocker quiet(box);
    box->setChecked(settings.text(setting) == "yes");
  }
  QStringList said;
  for (const std::string& c : settings.corrections()) said << QString::fromStdString(c);
  corrections_->setVisible(!said.isEmpty());
  if (said.isEmpty()) return;
  try {
    settings.save(file_);
    said << tr("The settings file now holds the values used.");
  } catch (const std::exception& e) {
    said << tr("The settings file could not be corrected: %1").arg(WindowError::describe(e));
  }
  corrections_->setText(said.join(QLatin1Char('\n')));
}

void GeneralPage::change(const char* name, const QString& value) {
  // Read again, so that what the command line changed meanwhile stays.
  try {
    Settings fresh = Settings::load(file_);
    fresh.set(name, value.toStdString());
    fresh.save(file_);
  } catch (const std::exception& e) {
    messages_.show(tr("The setting could not be saved: %1").arg(WindowError::describe(e)),
                   MessageBoxes::Icon::Warning);
    return;
  }
  emit changed();
}

void GeneralPage::setAutostart(bool on) {
  try {
    autostart_.setEnabled(on);
  } catch (const std::exception& e) {
    messages_.show(WindowError::describe(e), MessageBoxes::Icon::Warning);
    const QSignalBlocker quiet(startAtLogin_);
    startAtLogin_->setChecked(autostart_.enabled());
  }
}

}  // namespace tw
