#include "gui/sync/ConflictsDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/DateText.h"
#include "core/TimeZone.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/Text.h"
#include "gui/common/WindowError.h"

namespace tw {
namespace {

QString when(Instant saved) {
  return text(DateText::generalDate(TimeZone::toLocal(saved)));
}

}  // namespace

ConflictsDialog::ConflictsDialog(ConflictCopies& copies, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), copies_(copies), messages_(messages), tree_(new QTreeWidget(this)) {
  setWindowTitle(QStringLiteral("Conflicts — Tallyworks"));
  resize(760, 360);
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(
      QStringLiteral("Both this computer and the calendar server changed these fields; the "
                     "server's values were taken and yours kept here."),
      this);
  intro->setWordWrap(true);
  layout->addWidget(intro);
  tree_->setObjectName(QStringLiteral("conflicts"));
  tree_->setHeaderLabels({QStringLiteral("Kept"), QStringLiteral("Item"), QStringLiteral("Yours"),
                          QStringLiteral("Now")});
  tree_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
  layout->addWidget(tree_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  restore_ = buttons->addButton(QStringLiteral("&Restore Mine"), QDialogButtonBox::ActionRole);
  restore_->setObjectName(QStringLiteral("restoreButton"));
  dismiss_ = buttons->addButton(QStringLiteral("&Dismiss"), QDialogButtonBox::ActionRole);
  dismiss_->setObjectName(QStringLiteral("dismissButton"));
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(restore_, &QPushButton::clicked, this, &ConflictsDialog::onRestoreClicked);
  connect(dismiss_, &QPushButton::clicked, this, &ConflictsDialog::onDismissClicked);
  connect(tree_, &QTreeWidget::itemSelectionChanged, this, &ConflictsDialog::onSelectionChanged);
  fill();
}

// One row per copy ("journal entry “Write”"), under it one row per field both sides changed.
void ConflictsDialog::fill() {
  tree_->clear();
  std::vector<ConflictCopies::Copy> copies;
  try {
    copies = copies_.list();
  } catch (const std::exception& e) {
    messages_.show("Error reading the conflicts\r\n" + WindowError::describe(e),
                   QStringLiteral("Conflicts"), MessageBoxes::Icon::Warning);
  }
  for (const ConflictCopies::Copy& copy : copies) {
    const QString item = text(copy.noun) + " “" + text(copy.subject) + "”" +
                         (copy.gone ? QStringLiteral(" (deleted here)") : QString());
    auto* row = new QTreeWidgetItem(tree_, {when(copy.saved), item});
    row->setData(0, Qt::UserRole, QVariant::fromValue<qint64>(copy.id));
    for (const ConflictCopies::Difference& d : copy.differences)
      new QTreeWidgetItem(row, {QString(), text(d.field), text(d.mine), text(d.now)});
  }
  tree_->expandAll();
  for (int column : {0, 2, 3}) tree_->resizeColumnToContents(column);
  if (tree_->topLevelItemCount() > 0) tree_->setCurrentItem(tree_->topLevelItem(0));
  onSelectionChanged();
}

std::int64_t ConflictsDialog::selectedId() const {
  const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
  if (selected.isEmpty()) return 0;
  QTreeWidgetItem* row = selected.front();
  if (row->parent()) row = row->parent();
  return row->data(0, Qt::UserRole).toLongLong();
}

void ConflictsDialog::onSelectionChanged() {
  restore_->setEnabled(selectedId() != 0);
  dismiss_->setEnabled(selectedId() != 0);
}

void ConflictsDialog::act(void (ConflictCopies::*action)(std::int64_t), const QString& doing) {
  try {
    (copies_.*action)(selectedId());
  } catch (const std::exception& e) {
    messages_.show("Error " + doing + "\r\n" + WindowError::describe(e),
                   QStringLiteral("Conflicts"), MessageBoxes::Icon::Warning);
  }
  fill();
  emit changed();
}

void ConflictsDialog::onRestoreClicked() {
  act(&ConflictCopies::restore, QStringLiteral("restoring your version"));
}

void ConflictsDialog::onDismissClicked() {
  act(&ConflictCopies::dismiss, QStringLiteral("dismissing the conflict"));
}

}  // namespace tw
