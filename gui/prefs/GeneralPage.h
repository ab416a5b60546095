#pragma once

#include <QWidget>
#include <string>

#include "gui/desktop/AutostartEntry.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

namespace tw {

class MessageBoxes;

// The Preferences' general page: time away, the forgotten timer, login and tray, the type of
// task entries. Each change is written to the settings file at once (Settings); values found
// wrong in the file are shown above, and written back corrected when the page opens.
class GeneralPage : public QWidget {
  Q_OBJECT

 public:
  GeneralPage(std::string settingsFile, MessageBoxes& messages, QWidget* parent = nullptr);

 signals:
  // A setting was written.
  void changed();

 private:
  void build();
  void load();
  void change(const char* name, const QString& value);
  void setAutostart(bool on);

  std::string file_;
  MessageBoxes& messages_;
  AutostartEntry autostart_;
  QLabel* corrections_ = nullptr;
  QSpinBox* idleMinutes_ = nullptr;
  QComboBox* onReturn_ = nullptr;
  QDoubleSpinBox* overdueHours_ = nullptr;
  QCheckBox* startAtLogin_ = nullptr;
  QCheckBox* closeToTray_ = nullptr;
  QComboBox* taskType_ = nullptr;
};

}  // namespace tw
