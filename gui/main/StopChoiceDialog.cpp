#include "gui/main/StopChoiceDialog.h"

#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/common/QtDates.h"

namespace tw {

StopChoiceDialog::StopChoiceDialog(const QString& title, const QString& text, DateTime suggested,
                                   const std::vector<Offer>& offers, QWidget* parent)
    : QDialog(parent), time_(new QDateTimeEdit(QtDates::toQt(suggested), this)) {
  setWindowTitle(title);
  time_->setObjectName(QStringLiteral("stopTime"));
  time_->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm"));
  auto* message = new QLabel(text, this);
  message->setWordWrap(true);
  auto* timeRow = new QHBoxLayout;
  auto* timeLabel = new QLabel(QStringLiteral("Stop &at:"), this);
  timeLabel->setBuddy(time_);
  timeRow->addWidget(timeLabel);
  timeRow->addWidget(time_);
  timeRow->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (const Offer& offer : offers) {
    const Choice choice = offer.first;
    auto* button = new QPushButton(offer.second, this);
    button->setObjectName(buttonName(choice));
    buttons->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, choice] { done(choice); });
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(message);
  layout->addLayout(timeRow);
  layout->addLayout(buttons);
  setMinimumWidth(520);
}

DateTime StopChoiceDialog::chosen() const {
  return QtDates::fromQt(time_->dateTime());
}

QString StopChoiceDialog::buttonName(Choice choice) {
  return QStringLiteral("choice%1").arg(static_cast<int>(choice));
}

}  // namespace tw
