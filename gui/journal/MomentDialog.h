#pragma once

#include <QDialog>

#include "core/DateTime.h"

class QDateTimeEdit;

namespace tw {

// Asks for one local date-time: where to split an entry, where to place a work marker.
class MomentDialog : public QDialog {
  Q_OBJECT

 public:
  MomentDialog(const QString& title, const QString& prompt, DateTime initial,
               QWidget* parent = nullptr);

  DateTime moment() const;

 private:
  QDateTimeEdit* edit_;
};

}  // namespace tw
