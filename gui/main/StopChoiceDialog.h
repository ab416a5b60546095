#pragma once

#include <QDialog>
#include <utility>
#include <vector>

#include "core/DateTime.h"

class QDateTimeEdit;

namespace tw {

// Asks what to do with timing that was left running or a day left open: the choices offered
// are buttons, and a time can be chosen for "stop at". The dialog's result is the choice;
// closing it decides nothing (kLater).
class StopChoiceDialog : public QDialog {
  Q_OBJECT

 public:
  enum Choice { kLater = 0, kResume, kStopAtSave, kStopAtChosen, kKeep };
  using Offer = std::pair<Choice, QString>;

  StopChoiceDialog(const QString& title, const QString& text, DateTime suggested,
                   const std::vector<Offer>& offers, QWidget* parent = nullptr);

  // The time chosen for kStopAtChosen.
  DateTime chosen() const;
  // The object name of the button of a choice, for tests.
  static QString buttonName(Choice choice);

 private:
  QDateTimeEdit* time_;
};

}  // namespace tw
