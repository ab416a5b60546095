#pragma once

#include <QTableWidget>
#include <optional>
#include <string>
#include <vector>

#include "store/Rate.h"
#include "store/Task.h"

namespace tw {

// The tasks of one client in the Clients window, each with the rate of its own (empty: the
// client's) and whether it is billed (as the client, yes or no). A rate is changed in place
// (double-click or F2); each change is handed on at once.
class TaskRatesTable : public QTableWidget {
  Q_OBJECT

 public:
  // What a row shows.
  struct Row {
    Task task;
    // The task's own rates in order of their day.
    std::vector<Rate> rates;
    std::optional<bool> billable;
  };

  explicit TaskRatesTable(QWidget* parent = nullptr);

  // The rows, with amounts in the client's currency; throws BillingError when it is unknown.
  void setRows(std::vector<Row> rows, const std::string& currency);

 signals:
  // The text typed as the task's own rate; empty to bill it at the client's rates.
  void rateEdited(const QString& subject, const QString& amount);
  void billableChosen(const QString& subject, std::optional<bool> billable);

 private:
  void onItemChanged(QTableWidgetItem* item);

  std::vector<Row> rows_;
  bool filling_ = false;
};

}  // namespace tw
