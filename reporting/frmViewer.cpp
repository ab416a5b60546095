#include "reporting/frmViewer.h"

#include <QFontDatabase>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <exception>

#include "reporting/ReportPrinter.h"
#include "reporting/SaveTextFile.h"
#include "reporting/Twips.h"
#include "tracking/MessageBoxes.h"
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
      txtMain(new QPlainTextEdit(this)),
      services_(services) {
  setObjectName(QStringLiteral("frmViewer"));
  setWindowTitle(QStringLiteral("Journal Report"));
  setSizeGripEnabled(true);
  txtMain->setObjectName(QStringLiteral("txtMain"));
  txtMain->setFont(reportFont());
  txtMain->setLineWrapMode(QPlainTextEdit::NoWrap);

  const int menuHeight = menuBar->sizeHint().height();
  menuBar->setGeometry(0, 0, twipsToPixels(8895), menuHeight);
  txtMain->setGeometry(0, menuHeight, twipsToPixels(8910), twipsToPixels(5280));
  resize(twipsToPixels(8895), menuHeight + twipsToPixels(5265));

  connect(Save, &QAction::triggered, this, &frmViewer::Save_Click);
  connect(Print, &QAction::triggered, this, &frmViewer::Print_Click);
}

void frmViewer::setText(const QString& text) {
  txtMain->setPlainText(text);
}

QString frmViewer::text() const {
  QString held = txtMain->toPlainText();
  held.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return held;
}

void frmViewer::Form_Resize() {
  const QRect outer = frameGeometry();
  menuBar->resize(width(), menuBar->height());
  txtMain->move(0, menuBar->height());
  txtMain->resize(pixelsLessTwips(outer.width(), 110), pixelsLessTwips(outer.height(), 680));
}

void frmViewer::Save_Click() {
  saveTextFile(services_, this, commonDialogFileName, text().toUtf8(), QStringLiteral("txt"));
}

void frmViewer::Print_Click() {
  try {
    services_.printer.print(text());
  } catch (const std::exception& e) {
    services_.messages.show(QString::fromStdString(e.what()), MessageBoxes::Icon::Critical);
  }
}

void frmViewer::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  Form_Resize();
}

}  // namespace tw
