#include "gui/common/QtSaveDialog.h"

#include <QFileDialog>

#include "gui/common/DialogRunner.h"

namespace tw {

QString QtSaveDialog::getSaveFileName(QWidget* parent, const QString& filter,
                                      const QString& defaultSuffix, const QString& fileName) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setNameFilter(filter);
  dialog.setDefaultSuffix(defaultSuffix);
  if (!fileName.isEmpty()) dialog.selectFile(fileName);
  if (runner_.exec(dialog) != QDialog::Accepted) return {};
  return dialog.selectedFiles().value(0);
}

}  // namespace tw
