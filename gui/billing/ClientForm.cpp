#include "gui/billing/ClientForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "billing/Currency.h"
#include "core/BillingTerms.h"
#include "gui/common/QtDates.h"
#include "gui/common/Text.h"

namespace tw {

namespace {

// Shown at the date editor's least date: a rate in force from the beginning.
const QDate kBeginning(2000, 1, 1);

QString rateDay(DateTime day) {
  return QtDates::toQt(day).toString(QStringLiteral("d MMM yyyy"));
}

// A stored amount as typed.
QString plain(const std::string& currency, std::int64_t minor) {
  return text(Currency::of(currency).plain(minor));
}

}  // namespace

ClientForm::ClientForm(QWidget* parent)
    : QWidget(parent),
      name_(new QComboBox(this)),
      currency_(new QLineEdit(this)),
      rate_(new QLineEdit(this)),
      rateFrom_(new QDateEdit(this)),
      history_(new QLabel(this)),
      minutes_(new QComboBox(this)),
      mode_(new QComboBox(this)),
      place_(new QComboBox(this)),
      billable_(new QCheckBox(QStringLiteral("&Bill this client's time"), this)) {
  name_->setObjectName(QStringLiteral("clientName"));
  name_->setEditable(true);
  name_->setInsertPolicy(QComboBox::NoInsert);
  name_->setToolTip(QStringLiteral("A category name: entries naming it are billed to the client"));
  currency_->setObjectName(QStringLiteral("currency"));
  currency_->setPlaceholderText(QStringLiteral("EUR"));
  currency_->setMaxLength(3);
  rate_->setObjectName(QStringLiteral("rate"));
  rate_->setPlaceholderText(QStringLiteral("per hour, as 80 or 80.50"));
  rateFrom_->setObjectName(QStringLiteral("rateFrom"));
  rateFrom_->setCalendarPopup(true);
  rateFrom_->setDisplayFormat(QStringLiteral("d MMM yyyy"));
  rateFrom_->setMinimumDate(kBeginning);
  rateFrom_->setSpecialValueText(QStringLiteral("the beginning"));
  history_->setObjectName(QStringLiteral("rateHistory"));
  history_->setWordWrap(true);
  billable_->setObjectName(QStringLiteral("billable"));
  buildRounding();

  auto* from = new QHBoxLayout;
  auto* fromLabel = new QLabel(QStringLiteral("A changed rate takes &effect on"), this);
  fromLabel->setBuddy(rateFrom_);
  from->addWidget(fromLabel);
  from->addWidget(rateFrom_, 1);
  auto* rounding = new QHBoxLayout;
  rounding->addWidget(minutes_);
  rounding->addWidget(mode_);
  rounding->addWidget(place_, 1);
  auto* form = new QFormLayout(this);
  form->setContentsMargins(0, 0, 0, 0);
  form->addRow(QStringLiteral("&Name:"), name_);
  form->addRow(QStringLiteral("C&urrency:"), currency_);
  form->addRow(QStringLiteral("&Rate per hour:"), rate_);
  form->addRow(QString(), from);
  form->addRow(QStringLiteral("Rates:"), history_);
  auto* roundingLabel = new QLabel(QStringLiteral("R&ounding:"), this);
  roundingLabel->setBuddy(minutes_);
  form->addRow(roundingLabel, rounding);
  form->addRow(QString(), billable_);

  for (QLineEdit* field : {name_->lineEdit(), currency_, rate_})
    connect(field, &QLineEdit::returnPressed, this, &ClientForm::saveRequested);
}

void ClientForm::buildRounding() {
  minutes_->setObjectName(QStringLiteral("roundMinutes"));
  for (int minutes : BillingTerms::roundingMinutes())
    minutes_->addItem(
        minutes == 0 ? QStringLiteral("No rounding") : QStringLiteral("%1 min").arg(minutes),
        minutes);
  mode_->setObjectName(QStringLiteral("roundMode"));
  mode_->addItems({QStringLiteral("up"), QStringLiteral("to the nearest"),
                   QStringLiteral("down")});  // in the order of RoundingRule::Mode
  place_->setObjectName(QStringLiteral("roundPlace"));
  place_->addItems({QStringLiteral("each entry"), QStringLiteral("each task per day"),
                    QStringLiteral("each task's total")});  // RoundingRule::Place
  connect(minutes_, &QComboBox::currentIndexChanged, this, [this] {
    mode_->setEnabled(minutes_->currentData().toInt() != 0);
    place_->setEnabled(minutes_->currentData().toInt() != 0);
  });
}

void ClientForm::setCategories(const QStringList& names) {
  const QString typed = name_->currentText();
  name_->clear();
  name_->addItems(names);
  name_->setEditText(typed);
}

void ClientForm::showClient(const Client& shown, const std::vector<Rate>& rates, DateTime today) {
  QStringList history;
  for (const Rate& rate : rates)
    history << plain(shown.currency, rate.minorPerHour) + " " + text(shown.currency) + " from " +
                   (rate.from ? rateDay(*rate.from) : QStringLiteral("the beginning"));
  client_ = shown.id != 0 ? std::optional<Client>(shown) : std::nullopt;
  shownRate_ = rates.empty() ? QString() : plain(shown.currency, rates.back().minorPerHour);
  name_->setEditText(text(shown.name));
  currency_->setText(text(shown.currency));
  rate_->setText(shownRate_);
  rateFrom_->setDate(client_ ? QtDates::toQt(today).date() : kBeginning);
  history_->setText(history.isEmpty() ? QStringLiteral("none yet") : history.join('\n'));
  minutes_->setCurrentIndex(std::max(0, minutes_->findData(shown.rounding.minutes)));
  mode_->setCurrentIndex(static_cast<int>(shown.rounding.mode));
  place_->setCurrentIndex(static_cast<int>(shown.rounding.place));
  billable_->setChecked(shown.billable);
}

QString ClientForm::name() const {
  return name_->currentText().trimmed();
}

std::optional<DateTime> ClientForm::rateFrom() const {
  if (rateFrom_->date() == kBeginning) return std::nullopt;
  return QtDates::fromQt(rateFrom_->dateTime());
}

ClientBook::Change ClientForm::change() const {
  ClientBook::Change change;
  const std::string name = this->name().toStdString();
  const std::string currency = currency_->text().trimmed().toUpper().toStdString();
  const QString rate = rate_->text().trimmed();
  if (!client_ || name != client_->name) change.name = name;
  if (!client_ || currency != client_->currency) {
    change.currency = currency;
    change.rate = rate.toStdString();  // a new currency prices every day anew
  } else if (rate != shownRate_) {
    change.rate = rate.toStdString();
    change.rateFrom = rateFrom();
  }
  if (!client_) change.rateFrom = rateFrom();
  change.roundMinutes = minutes_->currentData().toInt();
  change.roundMode = static_cast<RoundingRule::Mode>(mode_->currentIndex());
  change.roundPlace = static_cast<RoundingRule::Place>(place_->currentIndex());
  change.billable = billable_->isChecked();
  return change;
}

}  // namespace tw
