#include "gui/journal/MomentDialog.h"

#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/common/QtDates.h"

namespace tw {

MomentDialog::MomentDialog(const QString& title, const QString& prompt, DateTime initial,
                           QWidget* parent)
    : QDialog(parent), edit_(new QDateTimeEdit(QtDates::toQt(initial), this)) {
  setWindowTitle(title);
  edit_->setObjectName(QStringLiteral("moment"));
  edit_->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(prompt, this));
  layout->addWidget(edit_);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

DateTime MomentDialog::moment() const {
  return QtDates::fromQt(edit_->dateTime());
}

}  // namespace tw
