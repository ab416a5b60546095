#include "reporting/frmViewer.h"

#include <QFontDatabase>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <exception>
#include <utility>

#include "reporting/ReportPrinter.h"
#include "reporting/ReportTextView.h"
#include "reporting/SaveTextFile.h"
#include "reporting/Twips.h"
#include "tracking/MessageBoxes.h"
#include "tracking/WindowError.h"
#include "tracking/WindowServices.h"

namespace tw {

namespace {

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

frmViewer::frmViewer(WindowServices& services, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      menuBar(new QMenuBar(this)),
      File(menuBar->addMenu(QStringLiteral("File"))),
      Save(File->addAction(QStringLiteral("Save"))),
      Print(File->addAction(QStringLiteral("Print"))),
      txtMain(new ReportTextView(this)),
      services_(services) {
  setObjectName(QStringLiteral("frmViewer"));
  setWindowTitle(QStringLiteral("Journal Report"));
  setSizeGripEnabled(true);
  txtMain->setObjectName(QStringLiteral("txtMain"));
  txtMain->setFont(reportFont());

  const int menuHeight = menuBar->sizeHint().height();
  menuBar->setGeometry(0, 0, twipsToPixels(8895), menuHeight);
  txtMain->setGeometry(0, menuHeight, twipsToPixels(8910), twipsToPixels(5280));
  resize(twipsToPixels(8895), menuHeight + twipsToPixels(5265));

  connect(Save, &QAction::triggered, this, &frmViewer::Save_Click);
  connect(Print, &QAction::triggered, this, &frmViewer::Print_Click);
}

void frmViewer::setText(std::string utf8) {
  txtMain->setText(std::move(utf8));
}

QString frmViewer::text() const {
  return QString::fromStdString(txtMain->bytes());
}

void frmViewer::Form_Resize() {
  const QRect outer = frameGeometry();
  menuBar->resize(width(), menuBar->height());
  txtMain->move(0, menuBar->height());
  txtMain->resize(pixelsLessTwips(outer.width(), 110), pixelsLessTwips(outer.height(), 680));
}

void frmViewer::Save_Click() {
  const std::string& bytes = txtMain->bytes();
  // The report's own bytes, written as they are held.
  const QByteArray held =
      QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  saveTextFile(services_, this, commonDialogFileName, held, QStringLiteral("txt"));
}

void frmViewer::Print_Click() {
  try {
    services_.printer.print(text());
  } catch (const std::exception& e) {
    services_.messages.show(describe(e), MessageBoxes::Icon::Critical);
  }
}

void frmViewer::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  Form_Resize();
}

}  // namespace tw
