#include "gui/sync/SyncProblemsDialog.h"

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

QString why(const SyncQueue::Waiting& w) {
  if (w.hereOnly) return QStringLiteral("Kept here only: ") + text(w.reason);
  return QStringLiteral("Refused (HTTP %1)%2")
      .arg(w.status)
      .arg(w.reason.empty() ? QString() : ": " + text(w.reason));
}

}  // namespace

SyncProblemsDialog::SyncProblemsDialog(SyncQueue& queue, std::vector<SyncResult::Problem> skipped,
                                       MessageBoxes& messages, QWidget* parent)
    : QDialog(parent),
      queue_(queue),
      skipped_(std::move(skipped)),
      messages_(messages),
      tree_(new QTreeWidget(this)) {
  setWindowTitle(QStringLiteral("Synchronisation Problems — Tallyworks"));
  resize(820, 360);
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(
      QStringLiteral("The calendar server refused these changes; they wait here until you send "
                     "them again (Retry) or give them up (Drop: the server's version stands, a "
                     "new item stays on this computer only)."),
      this);
  intro->setWordWrap(true);
  layout->addWidget(intro);
  tree_->setObjectName(QStringLiteral("problems"));
  tree_->setRootIsDecorated(false);
  tree_->setHeaderLabels({QStringLiteral("Since"), QStringLiteral("Item"), QStringLiteral("Why")});
  tree_->header()->setSectionResizeMode(2, QHeaderView::Stretch);
  layout->addWidget(tree_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  retry_ = buttons->addButton(QStringLiteral("&Retry"), QDialogButtonBox::ActionRole);
  retry_->setObjectName(QStringLiteral("retryButton"));
  drop_ = buttons->addButton(QStringLiteral("&Drop"), QDialogButtonBox::ActionRole);
  drop_->setObjectName(QStringLiteral("dropButton"));
  // Enter closes: it never retries or drops what the user did not point at.
  for (QPushButton* b : {retry_, drop_}) b->setAutoDefault(false);
  buttons->button(QDialogButtonBox::Close)->setDefault(true);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(retry_, &QPushButton::clicked, this, &SyncProblemsDialog::onRetryClicked);
  connect(drop_, &QPushButton::clicked, this, &SyncProblemsDialog::onDropClicked);
  connect(tree_, &QTreeWidget::itemSelectionChanged, this, &SyncProblemsDialog::onSelectionChanged);
  fill();
}

// The held changes and the items kept here only, then what the last run skipped.
void SyncProblemsDialog::fill() {
  tree_->clear();
  std::vector<SyncQueue::Waiting> waiting;
  try {
    waiting = queue_.list();
  } catch (const std::exception& e) {
    messages_.show("Error reading the changes waiting\r\n" + WindowError::describe(e),
                   QStringLiteral("Synchronisation Problems"), MessageBoxes::Icon::Warning);
  }
  for (const SyncQueue::Waiting& w : waiting) {
    if (!w.held && !w.hereOnly) continue;
    auto* row = new QTreeWidgetItem(
        tree_, {text(DateText::generalDate(TimeZone::toLocal(w.since))), text(w.what), why(w)});
    row->setData(0, Qt::UserRole, text(w.uid));
    row->setToolTip(2, why(w));
  }
  for (const SyncResult::Problem& p : skipped_)
    if (p.status == 0) {
      auto* row = new QTreeWidgetItem(tree_, {QStringLiteral("Last run"), text(p.item),
                                              QStringLiteral("Skipped: ") + text(p.reason)});
      row->setToolTip(2, row->text(2));
    }
  for (int column : {0, 1}) tree_->resizeColumnToContents(column);
  if (tree_->topLevelItemCount() > 0) tree_->setCurrentItem(tree_->topLevelItem(0));
  onSelectionChanged();
}

QString SyncProblemsDialog::selectedUid() const {
  const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
  return selected.isEmpty() ? QString() : selected.front()->data(0, Qt::UserRole).toString();
}

void SyncProblemsDialog::onSelectionChanged() {
  retry_->setEnabled(!selectedUid().isEmpty());
  drop_->setEnabled(!selectedUid().isEmpty());
}

void SyncProblemsDialog::act(void (SyncQueue::*action)(std::string_view), const QString& doing) {
  try {
    (queue_.*action)(selectedUid().toStdString());
  } catch (const std::exception& e) {
    messages_.show("Error " + doing + "\r\n" + WindowError::describe(e),
                   QStringLiteral("Synchronisation Problems"), MessageBoxes::Icon::Warning);
  }
  fill();
  emit changed();
}

void SyncProblemsDialog::onRetryClicked() {
  act(&SyncQueue::retry, QStringLiteral("sending the change again"));
}

void SyncProblemsDialog::onDropClicked() {
  act(&SyncQueue::drop, QStringLiteral("giving up the change"));
}

}  // namespace tw
