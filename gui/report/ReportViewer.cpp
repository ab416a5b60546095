#include "gui/report/ReportViewer.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>
#include <exception>
#include <utility>

#include "gui/common/MessageBoxes.h"
#include "gui/common/ReportPrinter.h"
#include "gui/common/WindowError.h"
#include "gui/common/WindowServices.h"
#include "gui/report/ReportTextView.h"

namespace tw {

namespace {

constexpr int kColumns = 80;
constexpr int kLines = 22;

QFont reportFont() {
  const QString family = QStringLiteral("Lucida Console");
  if (QFontDatabase::families().contains(family)) {
    QFont font(family);
    font.setPointSizeF(9.75);
    return font;
  }
  return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

}  // namespace

ReportViewer::ReportViewer(WindowServices& services, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      services_(services),
      text_(new ReportTextView(this)),
      file_(services.saveDialog, services.messages, QStringLiteral("txt")) {
  setWindowTitle(QStringLiteral("Journal Report"));
  setSizeGripEnabled(true);
  text_->setObjectName(QStringLiteral("reportText"));
  text_->setFont(reportFont());

  auto* menuBar = new QMenuBar(this);
  QMenu* file = menuBar->addMenu(QStringLiteral("&File"));
  QAction* save = file->addAction(QStringLiteral("&Save"));
  save->setObjectName(QStringLiteral("saveAction"));
  QAction* print = file->addAction(QStringLiteral("&Print"));
  print->setObjectName(QStringLiteral("printAction"));
  connect(save, &QAction::triggered, this, &ReportViewer::onSaveTriggered);
  connect(print, &QAction::triggered, this, &ReportViewer::onPrintTriggered);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setMenuBar(menuBar);
  layout->addWidget(text_);
  // About 80 columns by 22 lines of the report, as far as the screen allows.
  const QFontMetrics metrics(text_->font());
  resize(metrics.horizontalAdvance(QLatin1Char('x')) * kColumns,
         menuBar->sizeHint().height() + metrics.lineSpacing() * kLines);
}

void ReportViewer::setText(std::string utf8) {
  text_->setText(std::move(utf8));
}

void ReportViewer::onSaveTriggered() {
  const std::string& bytes = text_->bytes();
  // The report's own bytes, written as they are held.
  file_.save(this, QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

void ReportViewer::onPrintTriggered() {
  try {
    services_.printer.print(QString::fromStdString(text_->bytes()));
  } catch (const std::exception& e) {
    services_.messages.show(WindowError::describe(e), MessageBoxes::Icon::Critical);
  }
}

}  // namespace tw
