#include "core/Settings.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>

#include "core/BillingTerms.h"
#include "core/Error.h"
#include "core/FormatError.h"
#include "core/IniFile.h"
#include "core/IniUpdate.h"
#include "core/XdgFolders.h"

namespace tw {
namespace {

struct Rule {
  std::string name;
  std::string fallback;
  // The values taken: a whole or decimal number within [least, most], else one of choices.
  std::vector<std::string> choices;
  double least = 0;
  double most = 0;
  bool whole = false;
  std::string unit;
  // What the values are, for people, where the choices are too many to list.
  std::string described = {};
};

std::vector<std::string> words(const std::array<std::string_view, 3>& list) {
  return {list.begin(), list.end()};
}

std::vector<std::string> currencies() {
  std::vector<std::string> out{"none"};
  for (const std::string& code : BillingTerms::currencyCodes()) out.push_back(code);
  return out;
}

std::vector<std::string> roundingMinutes() {
  std::vector<std::string> out;
  for (int minutes : BillingTerms::roundingMinutes()) out.push_back(std::to_string(minutes));
  return out;
}

const std::vector<Rule>& rules() {
  static const std::vector<Rule> all{
      {"idle.minutes", "10", {}, 1, 480, true, "minutes"},
      {"idle.on_return", "ask", {"ask", "keep", "discard", "restart", "stop"}, 0, 0, false, ""},
      {"timer.overdue_hours", "4", {}, 0.5, 24, false, "hours"},
      {"window.close_to_tray", "yes", {"yes", "no"}, 0, 0, false, ""},
      {"entries.task_type", "Task", {"Task", "PJ_Task"}, 0, 0, false, ""},
      {"billing.currency", "none", currencies(), 0, 0, false, "",
       "none or an ISO 4217 currency code known here, such as EUR, USD, JPY"},
      {"billing.round_minutes", "0", roundingMinutes(), 0, 0, false, "minutes"},
      {"billing.round_mode", "nearest", words(BillingTerms::roundingModes()), 0, 0, false, ""},
      {"billing.round_per", "entry", words(BillingTerms::roundingPlaces()), 0, 0, false, ""},
      {"billing.billable", "yes", {"yes", "no"}, 0, 0, false, ""},
      {"billing.lines", "task", words(BillingTerms::billLines()), 0, 0, false, ""},
  };
  return all;
}

const Rule& ruleOf(std::string_view name) {
  for (const Rule& r : rules())
    if (r.name == name) return r;
  throw FormatError("there is no setting \"" + std::string(name) + "\"");
}

// Locale-free, so that the file reads the same under every language.
std::string numberText(double v) {
  char text[32];
  const auto [end, error] = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, 2);
  std::string out(text, error == std::errc() ? end : text);
  while (out.back() == '0') out.pop_back();
  if (out.back() == '.') out.pop_back();
  return out;
}

std::string allowed(const Rule& r) {
  if (!r.described.empty()) return r.described;
  if (r.choices.empty())
    return (r.whole ? "a whole number of " : "a number of ") + r.unit + " from " +
           numberText(r.least) + " to " + numberText(r.most);
  std::string out = "one of";
  for (const std::string& c : r.choices) out += (&c == &r.choices.front() ? " " : ", ") + c;
  return r.unit.empty() ? out : out + " " + r.unit;
}

// The value in the form the file keeps, or nothing when the rule does not take it.
std::optional<std::string> checked(const Rule& r, std::string_view value) {
  if (!r.choices.empty()) {
    for (const std::string& c : r.choices)
      if (IniFile::sameName(c, value)) return c;
    return std::nullopt;
  }
  double number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (error != std::errc() || end != value.data() + value.size() || !std::isfinite(number) ||
      number < r.least || number > r.most || (r.whole && number != std::floor(number)))
    return std::nullopt;
  return numberText(number);
}

std::string sectionOf(const std::string& name) {
  return name.substr(0, name.find('.'));
}

std::string keyOf(const std::string& name) {
  return name.substr(name.find('.') + 1);
}

}  // namespace

const std::vector<std::string>& Settings::names() {
  static const std::vector<std::string> all = [] {
    std::vector<std::string> out;
    for (const Rule& r : rules()) out.push_back(r.name);
    return out;
  }();
  return all;
}

std::string Settings::defaultPath() {
  return XdgFolders::configFile("tallyworks.ini");
}

Settings Settings::loadDefault() {
  std::string path;
  try {
    path = defaultPath();
  } catch (const Error& e) {
    Settings s = load("");
    s.corrections_.push_back(std::string(e.what()) + " Every setting is at its default.");
    return s;
  }
  return load(path);
}

Settings Settings::load(const std::string& path) {
  Settings s;
  for (const Rule& r : rules()) s.values_[r.name] = r.fallback;
  if (path.empty()) return s;
  std::optional<IniFile> ini;
  try {
    ini = IniFile::load(path);
  } catch (const Error& e) {
    s.corrections_.push_back(std::string(e.what()) + "; every setting is at its default");
  }
  const std::size_t slash = path.rfind('/');
  s.readOldFiles(slash == std::string::npos ? "." : path.substr(0, slash));
  if (!ini) return s;
  for (const Rule& r : rules())
    if (const auto value = ini->value(sectionOf(r.name), keyOf(r.name)))
      s.take(r.name, *value, path);
  return s;
}

void Settings::readOldFiles(const std::string& folder) {
  const std::string desktop = folder + "/desktop.ini";
  const std::string registry = folder + "/registry.ini";
  try {
    if (const std::optional<IniFile> ini = IniFile::load(desktop)) {
      for (const char* name : {"idle.minutes", "timer.overdue_hours"})
        if (const auto value = ini->value(sectionOf(name), keyOf(name)))
          take(name, *value, desktop);
    }
    // Section names may separate their parts with "\" or "/".
    const std::optional<IniFile> ini = IniFile::load(registry);
    for (const char* section : {"Software\\Microsoft\\Shared Tools\\Outlook\\Journaling\\PJ_Task",
                                "Software/Microsoft/Shared Tools/Outlook/Journaling/PJ_Task"})
      if (ini && ini->value(section, "Description")) values_["entries.task_type"] = "PJ_Task";
  } catch (const Error& e) {
    corrections_.push_back(std::string(e.what()) + "; it is left out");
  }
}

void Settings::take(std::string_view name, const std::string& value, const std::string& source) {
  const Rule& r = ruleOf(name);
  if (const std::optional<std::string> good = checked(r, value)) {
    values_[r.name] = *good;
    return;
  }
  values_[r.name] = r.fallback;
  corrections_.push_back(source + ": [" + sectionOf(r.name) + "] " + keyOf(r.name) + " = " + value +
                         " is not " + allowed(r) + "; " + r.fallback + " is used");
}

std::string Settings::text(std::string_view name) const {
  return values_.at(ruleOf(name).name);
}

void Settings::set(std::string_view name, std::string_view value) {
  const Rule& r = ruleOf(name);
  const std::optional<std::string> good = checked(r, value);
  if (!good)
    throw FormatError(r.name + " cannot be \"" + std::string(value) + "\": it is " + allowed(r));
  values_[r.name] = *good;
}

void Settings::save(const std::string& path) const {
  std::vector<IniUpdate::Change> changes;
  for (const Rule& r : rules())
    changes.push_back({sectionOf(r.name), keyOf(r.name), values_.at(r.name)});
  IniUpdate::write(path, changes);
}

int Settings::idleMinutes() const {
  return std::stoi(values_.at("idle.minutes"));
}

const std::string& Settings::onReturn() const {
  return values_.at("idle.on_return");
}

double Settings::overdueHours() const {
  const std::string& text = values_.at("timer.overdue_hours");
  double hours = 0;
  std::from_chars(text.data(), text.data() + text.size(), hours);
  return hours;
}

bool Settings::closeToTray() const {
  return values_.at("window.close_to_tray") == "yes";
}

const std::string& Settings::taskEntryType() const {
  return values_.at("entries.task_type");
}

std::optional<std::string> Settings::defaultCurrency() const {
  const std::string& code = values_.at("billing.currency");
  if (code == "none") return std::nullopt;
  return code;
}

int Settings::roundMinutes() const {
  return std::stoi(values_.at("billing.round_minutes"));
}

const std::string& Settings::roundMode() const {
  return values_.at("billing.round_mode");
}

const std::string& Settings::roundPer() const {
  return values_.at("billing.round_per");
}

bool Settings::newClientsBillable() const {
  return values_.at("billing.billable") == "yes";
}

const std::string& Settings::billLines() const {
  return values_.at("billing.lines");
}

}  // namespace tw
