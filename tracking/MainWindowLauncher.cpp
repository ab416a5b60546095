#include "tracking/MainWindowLauncher.h"

#include <QApplication>

namespace tw {

int runMainWindow(int argc, char** argv) {
  QApplication app(argc, argv);
  return 0;
}

}  // namespace tw
