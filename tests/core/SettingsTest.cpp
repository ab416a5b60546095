// The one settings file: what each setting takes, what a file holding something else gets
// instead (and that it is said), the files of earlier versions, and changes that keep the rest
// of a hand-edited file.
#include "core/Settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/FormatError.h"
#include "core/IniUpdate.h"
#include "tests/support/TempFolder.h"

namespace tw {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

TEST(SettingsTest, ValuesOutsideTheirRangeAreReplacedAndSaid) {
  const struct {
    std::string file, desktop, registry;
    const char* name;
    std::string value;
    std::size_t said;
  } cases[] = {
      {"", "", "", "idle.minutes", "10", 0},
      {"[idle]\nminutes = 25\n", "", "", "idle.minutes", "25", 0},
      {"[idle]\nminutes = 0\n", "", "", "idle.minutes", "10", 1},
      {"[idle]\nminutes = 2.5\n", "", "", "idle.minutes", "10", 1},
      {"[timer]\noverdue_hours = 2.5\n", "", "", "timer.overdue_hours", "2.5", 0},
      {"[timer]\noverdue_hours = 0.25\n", "", "", "timer.overdue_hours", "4", 1},
      {"[timer]\noverdue_hours = nan\n", "", "", "timer.overdue_hours", "4", 1},
      {"[idle]\non_return = KEEP\n", "", "", "idle.on_return", "keep", 0},
      {"[idle]\non_return = later\n", "", "", "idle.on_return", "ask", 1},
      {"[window]\nclose_to_tray = maybe\n", "", "", "window.close_to_tray", "yes", 1},
      {"[idle\n", "", "", "idle.minutes", "10", 1},  // no settings file: all defaults, said
      {"[billing]\ncurrency = eur\n", "", "", "billing.currency", "EUR", 0},
      {"[billing]\ncurrency = EURO\n", "", "", "billing.currency", "none", 1},
      {"[billing]\nround_minutes = 7\n", "", "", "billing.round_minutes", "0", 1},
      {"[billing]\nround_per = week\n", "", "", "billing.round_per", "entry", 1},
      {"[billing]\nlines = Day\n", "", "", "billing.lines", "day", 0},
      // Files of earlier versions count where the settings file is silent.
      {"", "[idle]\nminutes = 15\n", "", "idle.minutes", "15", 0},
      {"[idle]\nminutes = 20\n", "[idle]\nminutes = 15\n", "", "idle.minutes", "20", 0},
      {"", "[timer]\noverdue_hours = -3\n", "", "timer.overdue_hours", "4", 1},
      {"", "", "[Software\\Microsoft\\Shared Tools\\Outlook\\Journaling\\PJ_Task]\nDescription=x\n",
       "entries.task_type", "PJ_Task", 0},
      {"[entries]\ntask_type = Task\n", "",
       "[Software/Microsoft/Shared Tools/Outlook/Journaling/PJ_Task]\nDescription=x\n",
       "entries.task_type", "Task", 0},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    for (const auto& [name, text] : {std::pair{"tallyworks.ini", c.file},
                                     {"desktop.ini", c.desktop},
                                     {"registry.ini", c.registry}})
      if (!text.empty()) writeBytes(folder.file(name), text);
    const Settings s = Settings::load(folder.file("tallyworks.ini"));
    EXPECT_EQ(s.text(c.name), c.value) << c.file << c.desktop;
    EXPECT_EQ(s.corrections().size(), c.said) << c.file << c.desktop;
  }
}

TEST(SettingsTest, SetRefusesWhatTheFileCouldNotHoldAndSaveKeepsTheRest) {
  TempFolder folder;
  const std::string path = folder.file("tallyworks.ini");
  writeBytes(path,
             "; mine\n[server]\nurl = https://e.org/\n\n[idle]\nminutes = 5 \n[billing]\nx=1\n");
  Settings s = Settings::load(path);
  for (const auto& [name, value] : {std::pair{"idle.minutes", "0"},
                                    {"idle.minute", "5"},
                                    {"timer.overdue_hours", "1e400"},
                                    {"entries.task_type", ""},
                                    {"billing.currency", "XYZ"},
                                    {"billing.round_mode", "ceiling"}})
    EXPECT_THROW(s.set(name, value), FormatError) << name << value;
  s.set("timer.overdue_hours", "1.50");
  s.save(path);
  const std::string text = readBytes(path);
  EXPECT_EQ(text.substr(0, text.find("[billing]")),
            "; mine\n[server]\nurl = https://e.org/\n\n[idle]\nminutes = 5\non_return = ask\n");
  EXPECT_NE(text.find("[billing]\nx=1\n"), std::string::npos);
  EXPECT_EQ(Settings::load(path).text("timer.overdue_hours"), "1.5");
}

TEST(SettingsTest, UpdatesReplaceRemoveAndAddLinesAndNewFilesArePrivate) {
  using C = IniUpdate::Change;
  const struct {
    std::string text;
    std::vector<C> changes;
    std::string result;  // "!" for refused
  } cases[] = {
      {"[a]\nk = 1\n[b]\nk = 2\n[a]\nj = 3\n",
       {{"A", "J", "4"}},
       "[a]\nk = 1\n[b]\nk = 2\n[a]\nJ = 4\n"},
      {"[a]\n#k = 0\nk = 1\n\n[b]\n", {{"a", "k", std::nullopt}}, "[a]\n#k = 0\n\n[b]\n"},
      {"[a]\nk = 1\n\n", {{"a", "n", "x"}}, "[a]\nk = 1\nn = x\n\n"},
      {"[a]\n", {{"b", "n", "x"}}, "[a]\n\n[b]\nn = x\n"},
      {"", {{"a", "n", std::nullopt}}, ""},
      {"", {{"a", "n", "two\nlines"}}, "!"},
      {"", {{"a", "n", " padded"}}, "!"},
      {"", {{"a", "n=m", "x"}}, "!"},
      {"k = 1\n", {{"a", "n", "x"}}, "!"},  // no settings file: left alone
  };
  for (const auto& c : cases) {
    if (c.result == "!")
      EXPECT_THROW(IniUpdate::apply(c.text, c.changes), FormatError) << c.text;
    else
      EXPECT_EQ(IniUpdate::apply(c.text, c.changes), c.result) << c.text;
  }
  TempFolder folder;
  IniUpdate::write(folder.file("new/tallyworks.ini"), {{"a", "k", "v"}});
  struct stat st {};
  ASSERT_EQ(stat(folder.file("new/tallyworks.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

}  // namespace
}  // namespace tw
