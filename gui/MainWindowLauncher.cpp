#include "tracking/MainWindowLauncher.h"

#include <QApplication>
#include <QIcon>

#include "reporting/DefaultPrinter.h"
#include "reporting/QtSaveDialog.h"
#include "tracking/QtDialogRunner.h"
#include "tracking/QtMessageBoxes.h"
#include "tracking/WindowServices.h"
#include "tracking/frmMain.h"

// The window's icons live in a static library, whose resources are registered by hand.
static void registerResources() {
  Q_INIT_RESOURCE(tallyworks);
}

namespace tw {

int runMainWindow(int argc, char** argv) {
  QApplication app(argc, argv);
  registerResources();
  QApplication::setApplicationName("Tallyworks");
  QApplication::setDesktopFileName("tallyworks");
  QIcon icon;
  for (int size : {16, 32, 64}) icon.addFile(QString(":/tallyworks/tallyworks-%1.png").arg(size));
  QApplication::setWindowIcon(icon);
  QtMessageBoxes messages;
  QtSaveDialog saveDialog;
  DefaultPrinter printer;
  QtDialogRunner dialogs;
  WindowServices services{messages, saveDialog, printer, dialogs};
  frmMain window(services);
  window.Form_Load();
  window.show();
  return app.exec();
}

}  // namespace tw
