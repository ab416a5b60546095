#pragma once

#include <QString>
#include <utility>

#include "gui/common/ReportPrinter.h"

namespace tw {

// Prints the way DefaultPrinter does, into a PDF file instead of onto a printer.
class PdfPrinter : public ReportPrinter {
 public:
  explicit PdfPrinter(QString path) : path_(std::move(path)) {}
  void print(const QString& text) override;
  void printImage(const QImage& image) override;
  void printDocument(const QString& title, const QString& html) override;

 private:
  QString path_;
};

}  // namespace tw
