#pragma once

#include <QString>
#include <cstdint>

class QChart;

namespace tw {

class PeriodSummary;

// The charts of a period's summary, made new for each period shown, light or dark as the
// window around them.
class SummaryCharts {
 public:
  // Stacked bars of hours per category on each day, a day labelled with its total.
  static QChart* bars(const PeriodSummary& summary, bool longPeriod, bool dark);
  // One slice per category: its share of the period's hours.
  static QChart* pie(const PeriodSummary& summary, bool dark);
  // Decimal hours as the charts write them: "7.5 h".
  static QString hoursText(std::int64_t minutes);
};

}  // namespace tw
