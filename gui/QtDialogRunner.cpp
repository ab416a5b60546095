#include "gui/QtDialogRunner.h"

#include <QDialog>

namespace tw {

int QtDialogRunner::exec(QDialog& dialog) {
  return dialog.exec();
}

}  // namespace tw
