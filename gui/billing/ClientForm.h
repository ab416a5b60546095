#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "billing/ClientBook.h"
#include "core/DateTime.h"
#include "store/Client.h"
#include "store/Rate.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;

namespace tw {

// The fields of one client in the Clients window: its name (a category name), currency, rate
// with the day a changed rate takes effect, the rates it had, rounding and whether its time is
// billed. Enter in a text field asks to save (saveRequested).
class ClientForm : public QWidget {
  Q_OBJECT

 public:
  explicit ClientForm(QWidget* parent = nullptr);

  // The names offered for a new client.
  void setCategories(const QStringList& names);
  // Shows a stored client with its rates (in order of their day), or a new one (id 0: no name,
  // the terms it starts from). A changed rate of a stored client takes effect today unless
  // another day is chosen; a new client's rate from the beginning. Throws BillingError for an
  // unknown currency.
  void showClient(const Client& client, const std::vector<Rate>& rates, DateTime today);
  QString name() const;
  // What differs from the client shown; everything for a new client.
  ClientBook::Change change() const;
  // The day a changed rate takes effect; none: from the beginning.
  std::optional<DateTime> rateFrom() const;

 signals:
  void saveRequested();

 private:
  void buildRounding();
  std::optional<Client> client_;
  // The latest of its rates, as typed.
  QString shownRate_;
  QComboBox* name_;
  QLineEdit* currency_;
  QLineEdit* rate_;
  QDateEdit* rateFrom_;
  QLabel* history_;
  QComboBox* minutes_;
  QComboBox* mode_;
  QComboBox* place_;
  QCheckBox* billable_;
};

}  // namespace tw
