#include "gui/billing/ClientsDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "core/CaseFold.h"
#include "core/CategoryList.h"
#include "core/Clock.h"
#include "core/Settings.h"
#include "core/TimeZone.h"
#include "gui/billing/ClientForm.h"
#include "gui/billing/TaskRatesTable.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/NamedButton.h"
#include "gui/common/Text.h"
#include "gui/common/WindowError.h"
#include "gui/common/WindowServices.h"
#include "store/BillingStore.h"
#include "store/JournalStore.h"

namespace tw {

ClientsDialog::ClientsDialog(WindowServices& services, JournalStore& store, BillingStore& billing,
                             QWidget* parent)
    : QDialog(parent),
      services_(services),
      store_(store),
      billing_(billing),
      book_(store, billing),
      list_(new QListWidget(this)),
      form_(new ClientForm(this)),
      tasks_(new TaskRatesTable(this)),
      removeButton_(namedButton(this, "removeClientButton", QStringLiteral("Re&move"))) {
  setWindowTitle(QStringLiteral("Clients"));
  list_->setObjectName(QStringLiteral("clients"));
  tasks_->setObjectName(QStringLiteral("taskRates"));
  QPushButton* add = namedButton(this, "newClientButton", QStringLiteral("Ne&w Client"));
  QPushButton* save = namedButton(this, "saveClientButton", QStringLiteral("&Save"));
  auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
  close->button(QDialogButtonBox::Close)->setAutoDefault(false);

  auto* listButtons = new QHBoxLayout;
  listButtons->addWidget(add);
  listButtons->addWidget(removeButton_);
  auto* left = new QVBoxLayout;
  left->addWidget(list_);
  left->addLayout(listButtons);
  auto* right = new QVBoxLayout;
  right->addWidget(form_);
  right->addWidget(save, 0, Qt::AlignRight);
  right->addStretch();
  auto* top = new QHBoxLayout;
  top->addLayout(left, 1);
  top->addLayout(right, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(new QLabel(QStringLiteral("The client's tasks:"), this));
  layout->addWidget(tasks_, 1);
  layout->addWidget(close);
  resize(640, 520);

  // No button takes Enter: Enter in a field of the form saves the client shown, and nothing else.
  connect(list_, &QListWidget::itemSelectionChanged, this, &ClientsDialog::onClientSelected);
  connect(add, &QPushButton::clicked, this, &ClientsDialog::onNewClicked);
  connect(save, &QPushButton::clicked, this, &ClientsDialog::onSaveClicked);
  connect(form_, &ClientForm::saveRequested, this, &ClientsDialog::onSaveClicked);
  connect(removeButton_, &QPushButton::clicked, this, &ClientsDialog::onRemoveClicked);
  connect(tasks_, &TaskRatesTable::rateEdited, this, &ClientsDialog::onTaskRateEdited);
  connect(tasks_, &TaskRatesTable::billableChosen, this, &ClientsDialog::onTaskBillableChosen);
  connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
  fill(QString());
}

DateTime ClientsDialog::today() const {
  return TimeZone::toLocal(services_.clock.now()).date();
}

void ClientsDialog::fail(const QString& doing, const std::exception& failure) {
  services_.messages.show("Error " + doing + "\r\n" + WindowError::describe(failure),
                          QStringLiteral("Clients"), MessageBoxes::Icon::Warning);
}

void ClientsDialog::fill(const QString& select) {
  QStringList categories;
  try {
    clients_ = book_.clients();
    for (const Task& task : store_.tasks())
      for (std::string_view name : CategoryList::split(task.categories))
        if (!categories.contains(text(std::string(name)), Qt::CaseInsensitive))
          categories << text(std::string(name));
  } catch (const std::exception& e) {
    clients_.clear();
    fail(QStringLiteral("reading the clients"), e);
  }
  categories.sort(Qt::CaseInsensitive);
  form_->setCategories(categories);
  {
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (const Client& client : clients_) list_->addItem(text(client.name));
  }
  const QList<QListWidgetItem*> found = list_->findItems(select, Qt::MatchFixedString);
  if (!found.isEmpty())
    list_->setCurrentItem(found.front());
  else if (list_->count() > 0)
    list_->setCurrentRow(0);
  else
    onNewClicked();
}

const Client* ClientsDialog::selected() const {
  const int row = list_->currentRow();
  if (row < 0 || !list_->currentItem()->isSelected()) return nullptr;
  return &clients_.at(static_cast<std::size_t>(row));
}

void ClientsDialog::onClientSelected() {
  const Client* client = selected();
  removeButton_->setEnabled(client != nullptr);
  if (!client) return;
  try {
    form_->showClient(*client, book_.rates(client->name), today());
  } catch (const std::exception& e) {
    fail(QStringLiteral("reading the client's rates"), e);
  }
  showTasks();
}

void ClientsDialog::onNewClicked() {
  list_->clearSelection();
  removeButton_->setEnabled(false);
  form_->showClient(ClientBook::newClient(Settings::loadDefault()), {}, today());
  tasks_->setRows({}, {});
  form_->setFocus();
}

// The tasks whose categories name the client, with what they have of their own.
void ClientsDialog::showTasks() {
  const Client* client = selected();
  std::vector<TaskRatesTable::Row> rows;
  try {
    if (client) {
      const std::vector<Rate> rates = billing_.rates();
      for (const Task& task : store_.tasks()) {
        if (!CategoryList::names(task.categories, client->name)) continue;
        TaskRatesTable::Row row{task, {}, billing_.taskBillable(task.uid)};
        std::copy_if(rates.begin(), rates.end(), std::back_inserter(row.rates),
                     [&](const Rate& rate) { return rate.taskUid == task.uid; });
        rows.push_back(std::move(row));
      }
    }
    tasks_->setRows(std::move(rows), client ? client->currency : std::string());
  } catch (const std::exception& e) {
    tasks_->setRows({}, {});
    fail(QStringLiteral("reading the client's tasks"), e);
  }
}

void ClientsDialog::onSaveClicked() {
  const Client* client = selected();
  const QString name = form_->name();
  try {
    if (client)
      book_.edit(client->name, form_->change());
    else
      book_.add(name.toStdString(), form_->change());
  } catch (const std::exception& e) {
    fail(client ? QStringLiteral("changing the client") : QStringLiteral("adding the client"), e);
    return;
  }
  emit clientsChanged();
  fill(name);
}

void ClientsDialog::onRemoveClicked() {
  const Client* client = selected();
  if (!client) return;
  const QString name = text(client->name);
  if (!services_.messages.ask(
          "Remove the client \"" + name + "\" and its rates?\n\nIts entries stay in the journal.",
          QStringLiteral("Remove Client"))) {
    return;
  }
  try {
    book_.remove(client->name);
  } catch (const std::exception& e) {
    fail(QStringLiteral("removing the client"), e);
    return;
  }
  emit clientsChanged();
  fill(QString());
}

// The table is filled again once the edit that called here is over.
void ClientsDialog::onTaskRateEdited(const QString& subject, const QString& amount) {
  try {
    if (amount.isEmpty())
      book_.clearTaskRates(subject.toStdString());
    else
      book_.setTaskRate(subject.toStdString(), amount.toStdString(), form_->rateFrom());
  } catch (const std::exception& e) {
    fail(QStringLiteral("changing the task's rate"), e);
  }
  QTimer::singleShot(0, this, &ClientsDialog::showTasks);
}

void ClientsDialog::onTaskBillableChosen(const QString& subject, std::optional<bool> billable) {
  try {
    book_.setTaskBillable(subject.toStdString(), billable);
  } catch (const std::exception& e) {
    fail(QStringLiteral("changing whether the task is billed"), e);
  }
  QTimer::singleShot(0, this, &ClientsDialog::showTasks);
}

}  // namespace tw
