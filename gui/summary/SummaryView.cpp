#include "gui/summary/SummaryView.h"

#include <QBuffer>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <exception>

#include "core/Clock.h"
#include "core/DateText.h"
#include "core/TimeZone.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/ReportPrinter.h"
#include "gui/common/SaveDialog.h"
#include "gui/common/SaveTextFile.h"
#include "gui/common/WindowError.h"
#include "gui/summary/SummaryCharts.h"
#include "report/PeriodSummary.h"

namespace tw {
namespace {

DateTime firstOfMonth(DateTime day) {
  return DateTime::fromParts(day.year(), day.month(), 1);
}

int daysOfMonth(DateTime first) {
  const DateTime next = first.month() == 12
                            ? DateTime::fromParts(first.year() + 1, 1, 1)
                            : DateTime::fromParts(first.year(), first.month() + 1, 1);
  return static_cast<int>((next.seconds() - first.seconds()) / 86400);
}

QPushButton* addButton(QHBoxLayout* row, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption);
  button->setObjectName(QString::fromLatin1(name));
  row->addWidget(button);
  return button;
}

}  // namespace

SummaryView::SummaryView(JournalStore& store, WindowServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window), store_(store), services_(services) {
  setWindowTitle(tr("Tallyworks Summary"));
  buildControls();
  resize(1200, 580);
  const Instant now = services_.clock.now();
  showPeriod(Period::Week, TimeZone::toLocal(now));
}

void SummaryView::buildControls() {
  auto* row = new QHBoxLayout();
  periodBox_ = new QComboBox();
  periodBox_->setObjectName(QStringLiteral("periodBox"));
  periodBox_->addItems({tr("Week"), tr("Month")});
  row->addWidget(periodBox_);
  QPushButton* previous = addButton(row, "previousButton", QStringLiteral("<"));
  QPushButton* next = addButton(row, "nextButton", QStringLiteral(">"));
  title_ = new QLabel();
  title_->setObjectName(QStringLiteral("periodTitle"));
  row->addWidget(title_, 1);
  QPushButton* png = addButton(row, "savePngButton", tr("Save PNG…"));
  QPushButton* svg = addButton(row, "saveSvgButton", tr("Save SVG…"));
  QPushButton* printButton = addButton(row, "printButton", tr("Print"));

  charts_ = new QWidget();
  auto* chartRow = new QHBoxLayout(charts_);
  barsView_ = new QChartView();
  pieView_ = new QChartView();
  for (QChartView* view : {barsView_, pieView_}) view->setRenderHint(QPainter::Antialiasing);
  chartRow->addWidget(barsView_, 1);
  chartRow->addWidget(pieView_, 1);
  auto* column = new QVBoxLayout(this);
  column->addLayout(row);
  column->addWidget(charts_, 1);

  connect(periodBox_, &QComboBox::activated, this,
          [this](int index) { showPeriod(index == 0 ? Period::Week : Period::Month, first_); });
  connect(previous, &QPushButton::clicked, this, [this] { step(-1); });
  connect(next, &QPushButton::clicked, this, [this] { step(1); });
  connect(png, &QPushButton::clicked, this, [this] { save(QStringLiteral("png")); });
  connect(svg, &QPushButton::clicked, this, [this] { save(QStringLiteral("svg")); });
  connect(printButton, &QPushButton::clicked, this, &SummaryView::print);
}

void SummaryView::showPeriod(Period period, DateTime day) {
  period_ = period;
  periodBox_->setCurrentIndex(period == Period::Week ? 0 : 1);
  first_ =
      period == Period::Week ? day.date().addDays(-((day.dayOfWeek() + 6) % 7)) : firstOfMonth(day);
  const int days = period == Period::Week ? 7 : daysOfMonth(first_);
  title_->setText(periodText());
  try {
    const PeriodSummary summary = PeriodSummary::read(store_, first_, days);
    for (auto [view, chart] : {std::pair{barsView_, SummaryCharts::bars(summary, days > 7)},
                               std::pair{pieView_, SummaryCharts::pie(summary)}}) {
      QChart* old = view->chart();
      view->setChart(chart);
      delete old;
    }
  } catch (const std::exception& e) {
    services_.messages.show(WindowError::describe(e), MessageBoxes::Icon::Warning);
  }
}

QString SummaryView::periodText() const {
  if (period_ == Period::Month)
    return QStringLiteral("%1 %2")
        .arg(QLocale::c().standaloneMonthName(first_.month()))
        .arg(first_.year());
  return tr("Week of %1").arg(QString::fromStdString(DateText::shortDate(first_)));
}

void SummaryView::step(int direction) {
  const DateTime day = period_ == Period::Week ? first_.addDays(7 * direction)
                                               : first_.addDays(direction > 0 ? 31 : -1);
  showPeriod(period_, day);
}

void SummaryView::saveTo(const QString& path) {
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
    QSvgGenerator svg;
    svg.setOutputDevice(&bytes);
    svg.setSize(charts_->size());
    svg.setViewBox(charts_->rect());
    svg.setTitle(windowTitle() + " - " + periodText());
    QPainter painter;
    if (!painter.begin(&svg))
      throw WindowError("The charts could not be written to " + path.toStdString());
    charts_->render(&painter);
    painter.end();
  } else if (!charts_->grab().save(&bytes, "PNG")) {
    throw WindowError("The charts could not be written to " + path.toStdString());
  }
  SaveTextFile::write(path, bytes.data());
}

void SummaryView::save(const QString& extension) {
  const QString path = services_.saveDialog.getSaveFileName(this, "*." + extension, extension,
                                                            "summary." + extension);
  if (path.isEmpty()) return;
  try {
    saveTo(path);
  } catch (const std::exception& e) {
    services_.messages.show(WindowError::describe(e), MessageBoxes::Icon::Warning);
  }
}

void SummaryView::print() {
  try {
    services_.printer.printImage(charts_->grab().toImage());
  } catch (const std::exception& e) {
    services_.messages.show(WindowError::describe(e), MessageBoxes::Icon::Warning);
  }
}

}  // namespace tw
