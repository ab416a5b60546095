#pragma once

#include <QString>

class QPrinter;

namespace tw {

// Prints text as plain lines in the printer's default font, followed by one line end: no
// header, no page numbers, no wrapping; a new page when a page is full. Throws
// std::runtime_error with a description when the printer does not take the job.
void printPlainText(QPrinter& printer, const QString& text);

}  // namespace tw
