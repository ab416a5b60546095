#pragma once

#include <QDialog>
#include <QString>
#include <string>

class QAction;
class QMenu;
class QMenuBar;

namespace tw {

class ReportTextView;
struct WindowServices;

// The report viewer: shows the text report in a fixed-pitch font and saves or prints it.
class frmViewer : public QDialog {
  Q_OBJECT

 public:
  explicit frmViewer(WindowServices& services, QWidget* parent = nullptr);

  // The report text as UTF-8, lines ending with CR LF; taken over without a copy.
  void setText(std::string utf8);
  // The text txtMain holds now, with CR LF line ends.
  QString text() const;

  void Form_Resize();
  void Save_Click();
  void Print_Click();

  QMenuBar* menuBar;
  QMenu* File;
  QAction* Save;
  QAction* Print;
  ReportTextView* txtMain;
  // CommonDialog1's file name: the name chosen last in this window.
  QString commonDialogFileName;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  WindowServices& services_;
};

}  // namespace tw
