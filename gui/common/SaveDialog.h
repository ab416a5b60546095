#pragma once

#include <QString>

class QWidget;

namespace tw {

// The save-file dialog seam. Returns the chosen path, or an empty text when the user cancels.
// filter is one "*.<extension>" pattern, defaultSuffix is appended to a name typed without an
// extension, and fileName is the name offered (the last one chosen in that window).
class SaveDialog {
 public:
  virtual ~SaveDialog() = default;
  virtual QString getSaveFileName(QWidget* parent, const QString& filter,
                                  const QString& defaultSuffix, const QString& fileName) = 0;
};

}  // namespace tw
