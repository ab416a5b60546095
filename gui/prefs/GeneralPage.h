#pragma once

#include <QList>
#include <QWidget>
#include <string>
#include <utility>

#include "gui/desktop/AutostartEntry.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

namespace tw {

class MessageBoxes;

// The Preferences' general page: time away, the forgotten timer, login and tray, the type of
// task entries, and the billing defaults (a new client's currency, rounding and billable flag,
// a bill's lines). Each change is written to the settings file at once (Settings); values found
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
  QWidget* buildBilling();
  // A list of the setting's values (data) with their captions, written when one is chosen.
  QComboBox* choice(const char* objectName, const char* setting,
                    const QList<std::pair<QString, QString>>& items);
  // A check box of a yes/no setting, written when it is ticked or not.
  QCheckBox* toggle(const char* objectName, const QString& caption, const char* setting);
  void load();
  void change(const char* name, const QString& value);
  void setAutostart(bool on);

  std::string file_;
  MessageBoxes& messages_;
  AutostartEntry autostart_;
  QLabel* corrections_ = nullptr;
  QSpinBox* idleMinutes_ = nullptr;
  QDoubleSpinBox* overdueHours_ = nullptr;
  QCheckBox* startAtLogin_ = nullptr;
  // The lists made by choice and the check boxes made by toggle, with their settings.
  QList<std::pair<QComboBox*, const char*>> choices_;
  QList<std::pair<QCheckBox*, const char*>> toggles_;
};

}  // namespace tw
