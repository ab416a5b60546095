#pragma once

#include <QDialog>
#include <QStringList>

#include "core/DateTime.h"

class QComboBox;
class QDateTimeEdit;

namespace tw {

// "Add Entry": a journal entry made by hand for one of the open tasks, from a start to an end.
class EntryDialog : public QDialog {
  Q_OBJECT

 public:
  EntryDialog(const QStringList& tasks, DateTime start, DateTime end, QWidget* parent = nullptr);

  QString task() const;
  DateTime start() const;
  DateTime end() const;

 private:
  QComboBox* task_;
  QDateTimeEdit* start_;
  QDateTimeEdit* end_;
};

}  // namespace tw
