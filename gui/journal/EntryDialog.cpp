#include "gui/journal/EntryDialog.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>

#include "gui/common/QtDates.h"

namespace tw {

EntryDialog::EntryDialog(const QStringList& tasks, DateTime start, DateTime end, QWidget* parent)
    : QDialog(parent),
      task_(new QComboBox(this)),
      start_(new QDateTimeEdit(QtDates::toQt(start), this)),
      end_(new QDateTimeEdit(QtDates::toQt(end), this)) {
  setWindowTitle(QStringLiteral("Add Entry"));
  task_->setObjectName(QStringLiteral("task"));
  task_->addItems(tasks);
  start_->setObjectName(QStringLiteral("start"));
  end_->setObjectName(QStringLiteral("end"));
  for (QDateTimeEdit* edit : {start_, end_})
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("&Task"), task_);
  form->addRow(QStringLiteral("&Start"), start_);
  form->addRow(QStringLiteral("&End"), end_);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString EntryDialog::task() const {
  return task_->currentText();
}

DateTime EntryDialog::start() const {
  return QtDates::fromQt(start_->dateTime());
}

DateTime EntryDialog::end() const {
  return QtDates::fromQt(end_->dateTime());
}

}  // namespace tw
