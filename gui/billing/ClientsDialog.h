#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "billing/ClientBook.h"
#include "store/Client.h"

class QListWidget;
class QPushButton;

namespace tw {

class BillingStore;
class ClientForm;
class JournalStore;
class TaskRatesTable;
struct WindowServices;

// "Clients": the categories billed as clients, each with its currency, rates, rounding and
// billable flag, and below them the client's tasks with rates and billable flags of their own
// (the rates, the currency and the day a rate takes effect belong together, so the tasks'
// rates are set here rather than in the tasks window). Every change is saved at once through
// the client book, which checks it; a refusal is shown and nothing else changes.
class ClientsDialog : public QDialog {
  Q_OBJECT

 public:
  ClientsDialog(WindowServices& services, JournalStore& store, BillingStore& billing,
                QWidget* parent = nullptr);

 signals:
  // A client was added, renamed, changed or removed.
  void clientsChanged();

 private slots:
  void onClientSelected();
  void onNewClicked();
  void onSaveClicked();
  void onRemoveClicked();
  void onTaskRateEdited(const QString& subject, const QString& amount);
  void onTaskBillableChosen(const QString& subject, std::optional<bool> billable);

 private:
  // Lists the clients again and selects the one of this name (the first when none is).
  void fill(const QString& select);
  void showTasks();
  // The client selected; none while a new one is typed.
  const Client* selected() const;
  DateTime today() const;
  void fail(const QString& doing, const std::exception& failure);

  WindowServices& services_;
  JournalStore& store_;
  BillingStore& billing_;
  ClientBook book_;
  std::vector<Client> clients_;
  QListWidget* list_;
  ClientForm* form_;
  TaskRatesTable* tasks_;
  QPushButton* removeButton_;
};

}  // namespace tw
