#pragma once

#include <QDialog>
#include <string>

#include "gui/common/SaveTextFile.h"

namespace tw {

class ReportTextView;
struct WindowServices;

// The report viewer "Journal Report": the text report in a fixed-pitch font, with a File menu
// that saves it as a .txt file or prints it on the default printer.
class ReportViewer : public QDialog {
  Q_OBJECT

 public:
  explicit ReportViewer(WindowServices& services, QWidget* parent = nullptr);

  // The report as UTF-8 with CR LF line ends, taken over without a copy.
  void setText(std::string utf8);

 private slots:
  void onSaveTriggered();
  void onPrintTriggered();

 private:
  WindowServices& services_;
  ReportTextView* text_;
  SaveTextFile file_;
};

}  // namespace tw
