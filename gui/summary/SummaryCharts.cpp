#include "gui/summary/SummaryCharts.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QColor>
#include <QPieSeries>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "report/PeriodSummary.h"

namespace tw {
namespace {

const char* const kDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
// A category has the same colour in both charts.
const QRgb kColours[] = {0x209fdf, 0x99ca53, 0xf6a625, 0x6d5fd5, 0xbf593e,
                         0x3cb7a6, 0xe05d8f, 0x7f8c8d, 0x2c5f9e, 0xc9b037};
// The hours axis has at most this many steps.
constexpr int kMostSteps = 6;

QColor colourOf(std::size_t category) {
  return QColor(kColours[category % std::size(kColours)]);
}

QString categoryName(const std::string& name) {
  return name.empty() ? QObject::tr("(no category)") : QString::fromStdString(name);
}

double hours(std::int64_t minutes) {
  return static_cast<double>(minutes) / 60.0;
}

std::int64_t dayTotal(const PeriodSummary& summary, int day) {
  std::int64_t total = 0;
  for (std::size_t c = 0; c < summary.categories().size(); ++c) total += summary.minutes(c, day);
  return total;
}

// A week's day reads "Mon", "11" and its total on lines of their own, narrow enough for a small
// window; a month's day only its number (turned upright).
QString dayLabel(const PeriodSummary& summary, int day, bool longPeriod) {
  const DateTime date = summary.day(day);
  if (longPeriod) return QString::number(date.day());
  QString label = QStringLiteral("%1<br>%2")
                      .arg(QString::fromLatin1(kDayNames[date.dayOfWeek()]))
                      .arg(date.day());
  const std::int64_t total = dayTotal(summary, day);
  // Axis labels are rich text.
  if (total > 0) label += QStringLiteral("<br>") + SummaryCharts::hoursText(total);
  return label;
}

// Whole hours in steps of 1, 2, 5, 10, 20, 50… h: the first that covers the highest day in
// kMostSteps steps.
double hourStep(double highest) {
  double unit = 1;
  for (; unit < 1e12; unit *= 10)
    for (const double step : {unit, 2 * unit, 5 * unit})
      if (highest <= step * kMostSteps) return step;
  return unit;
}

QChart* newChart(bool dark) {
  auto* chart = new QChart();
  // The theme comes first: it would recolour the series.
  chart->setTheme(dark ? QChart::ChartThemeDark : QChart::ChartThemeLight);
  return chart;
}

}  // namespace

QString SummaryCharts::hoursText(std::int64_t minutes) {
  const double rounded = std::round(hours(minutes) * 100.0) / 100.0;
  return QString::number(rounded, 'g', 6) + QStringLiteral(" h");
}

QChart* SummaryCharts::bars(const PeriodSummary& summary, bool longPeriod, bool dark) {
  QChart* chart = newChart(dark);
  auto* series = new QStackedBarSeries(chart);
  double highest = 0;
  for (int d = 0; d < summary.dayCount(); ++d)
    highest = std::max(highest, hours(dayTotal(summary, d)));
  for (std::size_t c = 0; c < summary.categories().size(); ++c) {
    auto* set = new QBarSet(categoryName(summary.categories()[c].name), series);
    set->setColor(colourOf(c));
    set->setBorderColor(colourOf(c));
    for (int d = 0; d < summary.dayCount(); ++d) *set << hours(summary.minutes(c, d));
    series->append(set);
  }
  chart->addSeries(series);
  auto* days = new QBarCategoryAxis(chart);
  for (int d = 0; d < summary.dayCount(); ++d) days->append(dayLabel(summary, d, longPeriod));
  days->setTruncateLabels(false);
  if (longPeriod) days->setLabelsAngle(-90);
  chart->addAxis(days, Qt::AlignBottom);
  series->attachAxis(days);
  auto* axis = new QValueAxis(chart);
  const double step = hourStep(highest);
  axis->setTickType(QValueAxis::TicksDynamic);
  axis->setTickAnchor(0);
  axis->setTickInterval(step);
  axis->setMinorTickCount(0);
  axis->setRange(0, std::max(1.0, std::ceil(highest / step)) * step);
  axis->setLabelFormat(QStringLiteral("%.0f h"));
  chart->addAxis(axis, Qt::AlignLeft);
  series->attachAxis(axis);
  chart->setTitle(QObject::tr("Hours per day (%1 in all)").arg(hoursText(summary.totalMinutes())));
  chart->legend()->setAlignment(Qt::AlignBottom);
  return chart;
}

QChart* SummaryCharts::pie(const PeriodSummary& summary, bool dark) {
  QChart* chart = newChart(dark);
  auto* series = new QPieSeries(chart);
  for (std::size_t i = 0; i < summary.categories().size(); ++i) {
    const CategoryTotals::Total& c = summary.categories()[i];
    if (c.minutes <= 0) continue;
    QPieSlice* slice = series->append(categoryName(c.name), hours(c.minutes));
    slice->setLabel(QStringLiteral("%1<br>%2").arg(categoryName(c.name), hoursText(c.minutes)));
    slice->setColor(colourOf(i));
    slice->setBorderColor(dark ? QColor(Qt::black) : QColor(Qt::white));
  }
  series->setPieSize(0.55);
  series->setLabelsVisible(true);
  chart->addSeries(series);
  chart->setTitle(QObject::tr("Per category"));
  chart->legend()->hide();
  return chart;
}

}  // namespace tw
