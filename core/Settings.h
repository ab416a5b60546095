#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// Tallyworks's settings besides the calendar account, in the one settings file
// (tallyworks.ini in the user's settings folder, XdgFolders::configFile) that the window and
// the command line both read and the Preferences dialog writes:
//   [idle]    minutes = 10            no input for this long counts as time away (1 to 480)
//             on_return = ask         ask, keep, discard, restart (discard and time again), stop
//   [timer]   overdue_hours = 4       a timer running this long is questioned (0.5 to 24)
//   [window]  close_to_tray = yes     closing the window leaves the program in the tray
//   [entries] task_type = Task        the type of task entries: Task or PJ_Task
//   [billing] currency = none         a new client's currency (an ISO 4217 code), none to ask
//             round_minutes = 0       a new client's rounding: 0 (none), 1, 5, 6, 10, 15, 30, 60
//             round_mode = nearest    up, nearest or down
//             round_per = entry       entry, day (each task per day) or total (over the period)
//             billable = yes          whether a new client's time is billed
//             lines = task            a bill's lines unless chosen: per task, day or entry
// A setting the file lacks is taken from the files that held it before, beside it
// (desktop.ini: [idle] minutes, [timer] overdue_hours; registry.ini: task_type PJ_Task), else
// its default. A value that is not one a setting takes is replaced by the default and noted in
// corrections(), never passed over in silence.
class Settings {
 public:
  // Each setting's name, "section.key", in the order above.
  static const std::vector<std::string>& names();
  static std::string defaultPath();
  // The settings of defaultPath(); without a home folder every setting at its default, noted.
  static Settings loadDefault();
  // Never throws: a file that cannot be read leaves every setting at its default, noted.
  static Settings load(const std::string& path);

  // The setting's value as the file would hold it. Throws FormatError for an unknown name.
  std::string text(std::string_view name) const;
  // Throws FormatError naming the setting and the values it takes.
  void set(std::string_view name, std::string_view value);
  // Writes every setting into the file at path, keeping whatever else it holds (IniUpdate).
  // Throws FileError or FormatError.
  void save(const std::string& path) const;
  // What was wrong with the values read, in plain words, one line each.
  const std::vector<std::string>& corrections() const { return corrections_; }

  int idleMinutes() const;
  const std::string& onReturn() const;
  double overdueHours() const;
  bool closeToTray() const;
  const std::string& taskEntryType() const;
  // The billing words are those of billing/Rounding and BillRequest (core/BillingTerms).
  std::optional<std::string> defaultCurrency() const;
  int roundMinutes() const;
  const std::string& roundMode() const;
  const std::string& roundPer() const;
  bool newClientsBillable() const;
  const std::string& billLines() const;

 private:
  void take(std::string_view name, const std::string& value, const std::string& source);
  void readOldFiles(const std::string& folder);

  std::map<std::string, std::string, std::less<>> values_;
  std::vector<std::string> corrections_;
};

}  // namespace tw
