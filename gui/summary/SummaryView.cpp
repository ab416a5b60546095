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

QPushButton* addButton(QHBoxLayout* row, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption);
  button->setObjectName(QString::fromLatin1(name));
  row->addWidget(button);
  return button;
}

}  // namespace

SummaryView::SummaryView(JournalStore& store, WindowServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window),
      store_(store),
      services_(services),
      period_(SummaryPeriod::current(SummaryPeriod::Kind::Week, services.clock)) {
  setWindowTitle(tr("Tallyworks Summary"));
  buildControls();
  resize(1200, 580);
  display(period_);
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

  connect(periodBox_, &QComboBox::activated, this, [this](int index) {
    display(period_.as(index == 0 ? Kind::Week : Kind::Month, today()));
  });
  connect(previous, &QPushButton::clicked, this, [this] { display(period_.stepped(-1)); });
  connect(next, &QPushButton::clicked, this, [this] { display(period_.stepped(1)); });
  connect(png, &QPushButton::clicked, this, [this] { save(QStringLiteral("png")); });
  connect(svg, &QPushButton::clicked, this, [this] { save(QStringLiteral("svg")); });
  connect(printButton, &QPushButton::clicked, this, &SummaryView::print);
}

DateTime SummaryView::today() const {
  return TimeZone::toLocal(services_.clock.now());
}

void SummaryView::showPeriod(Kind kind, DateTime day) {
  display(SummaryPeriod::holding(kind, day));
}

void SummaryView::display(SummaryPeriod period) {
  period_ = period;
  periodBox_->setCurrentIndex(period.kind() == Kind::Week ? 0 : 1);
  title_->setText(periodText());
  try {
    const PeriodSummary summary = PeriodSummary::read(store_, period.first(), period.dayCount());
    const bool month = period.kind() == Kind::Month;
    // A dark window has light text on a dark ground.
    const bool dark = palette().color(QPalette::WindowText).lightness() >
                      palette().color(QPalette::Window).lightness();
    for (auto [view, chart] : {std::pair{barsView_, SummaryCharts::bars(summary, month, dark)},
                               std::pair{pieView_, SummaryCharts::pie(summary, dark)}}) {
      QChart* old = view->chart();
      view->setChart(chart);
      delete old;
    }
  } catch (const std::exception& e) {
    services_.messages.show(WindowError::describe(e), MessageBoxes::Icon::Warning);
  }
}

QString SummaryView::periodText() const {
  const DateTime first = period_.first();
  if (period_.kind() == Kind::Month)
    return QStringLiteral("%1 %2")
        .arg(QLocale::c().standaloneMonthName(first.month()))
        .arg(first.year());
  return tr("Week of %1").arg(QString::fromStdString(DateText::shortDate(first)));
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
