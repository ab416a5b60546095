#pragma once

#include <QString>

class QWidget;

namespace tw {

// The save-file dialog seam (CommonDialog1). Returns the chosen path, or an empty text when
// the user cancels. fileName is the name offered (the last one chosen in this window).
class SaveDialog {
 public:
  virtual ~SaveDialog() = default;
  virtual QString getSaveFileName(QWidget* parent, const QString& filter,
                                  const QString& defaultSuffix, const QString& fileName) = 0;
};

}  // namespace tw
