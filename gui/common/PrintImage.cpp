#include "gui/common/PrintImage.h"
#include "gui/common/WindowError.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

namespace tw {

void PrintImage::print(QPrinter& printer, const QImage& image) {
  printer.setPageOrientation(image.width() > image.height() ? QPageLayout::Landscape
                                                            : QPageLayout::Portrait);
  QPainter painter;
  const QString name =
      printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
  if (!painter.begin(&printer))
    throw WindowError("The summary could not be printed on \"" + name.toStdString() +
                      "\": the printer did not start the job.");
  const QSize fitted = image.size().scaled(printer.width(), printer.height(), Qt::KeepAspectRatio);
  painter.drawImage(QRect(QPoint(0, 0), fitted), image);
  if (!painter.end() || printer.printerState() == QPrinter::Error)
    throw WindowError("The summary could not be printed on \"" + name.toStdString() +
                      "\": the job was not accepted.");
}

}  // namespace tw
