#pragma once

#include <QString>
#include <utility>

namespace tw {

// The desktop entry that starts Tallyworks when the user logs in:
// $XDG_CONFIG_HOME/autostart/org.tallyworks.Tallyworks.desktop (~/.config when unset).
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
