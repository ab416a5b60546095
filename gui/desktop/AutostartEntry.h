#pragma once

#include <QString>
#include <utility>

namespace tw {

// The desktop entry that starts Tallyworks when the user logs in:
// autostart/org.tallyworks.Tallyworks.desktop in the user's settings folder (XdgFolders).
class AutostartEntry {
 public:
  // The entry runs program (an absolute path).
  explicit AutostartEntry(QString program) : program_(std::move(program)) {}

  static QString path();
  bool enabled() const;
  // Writes or removes the entry. Throws WindowError with a description when it cannot.
  void setEnabled(bool on) const;

 private:
  QString program_;
};

}  // namespace tw
