#pragma once

#include <QString>
#include <QWidget>

#include "core/DateTime.h"
#include "gui/common/WindowServices.h"
#include "report/SummaryPeriod.h"

class QChartView;
class QComboBox;
class QLabel;

namespace tw {

class JournalStore;

// The summary window: hours per category and day of a week or a month as stacked bars, and
// the period's share per category as a pie. The charts save as PNG or SVG and print.
class SummaryView : public QWidget {
  Q_OBJECT

 public:
  using Kind = SummaryPeriod::Kind;

  // Opens on the week holding today.
  SummaryView(JournalStore& store, WindowServices& services, QWidget* parent = nullptr);

  // Shows the week (Monday to Sunday) or the month that holds the day; a store failure is
  // shown as a message.
  void showPeriod(Kind kind, DateTime day);
  // Writes both charts to path: SVG when it ends in ".svg", else PNG. Throws WindowError.
  void saveTo(const QString& path);

 private:
  void buildControls();
  void display(SummaryPeriod period);
  DateTime today() const;
  void save(const QString& extension);
  void print();
  QString periodText() const;

  JournalStore& store_;
  WindowServices& services_;
  SummaryPeriod period_;
  QComboBox* periodBox_ = nullptr;
  QLabel* title_ = nullptr;
  QWidget* charts_ = nullptr;
  QChartView* barsView_ = nullptr;
  QChartView* pieView_ = nullptr;
};

}  // namespace tw
