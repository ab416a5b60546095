// The one lookup of the per-user folders: XDG_CONFIG_HOME and XDG_DATA_HOME count only as
// absolute paths; otherwise the folders are below the home folder.
#include "core/XdgFolders.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace tw {
namespace {

// Sets (or, with nothing, unsets) an environment variable, and puts it back at the end.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    set(value);
  }
  ~ScopedVariable() { set(old_); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  void set(const std::optional<std::string>& value) {
    if (value)
      setenv(name_, value->c_str(), 1);
    else
      unsetenv(name_);
  }
  const char* name_;
  std::optional<std::string> old_;
};

TEST(XdgFoldersTest, TheVariablesCountOnlyAsAbsolutePaths) {
  const std::string userHome = getpwuid(getuid())->pw_dir;
  const struct {
    std::optional<std::string> variable, home;
    std::string config, data;
  } cases[] = {
      {std::nullopt, "/home/a", "/home/a/.config", "/home/a/.local/share"},
      {"", "/home/a", "/home/a/.config", "/home/a/.local/share"},
      {"relative/dir", "/home/a", "/home/a/.config", "/home/a/.local/share"},
      {"~/cfg", "/home/a", "/home/a/.config", "/home/a/.local/share"},
      {"/srv/x", "/home/a", "/srv/x", "/srv/x"},
      // Without HOME (or with an empty one), the user database's home folder.
      {std::nullopt, std::nullopt, userHome + "/.config", userHome + "/.local/share"},
      {std::nullopt, "", userHome + "/.config", userHome + "/.local/share"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.variable.value_or("(unset)") + " with HOME " + c.home.value_or("(unset)"));
    const ScopedVariable config("XDG_CONFIG_HOME", c.variable);
    const ScopedVariable data("XDG_DATA_HOME", c.variable);
    const ScopedVariable home("HOME", c.home);
    EXPECT_EQ(XdgFolders::configHome(), c.config);
    EXPECT_EQ(XdgFolders::dataHome(), c.data);
    EXPECT_EQ(XdgFolders::configFile("sync.ini"), c.config + "/tallyworks/sync.ini");
  }
}

}  // namespace
}  // namespace tw
