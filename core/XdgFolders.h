#pragma once

#include <string>
#include <string_view>

namespace tw {

// The one lookup of the per-user folders, by the XDG base-directory rules: $XDG_CONFIG_HOME
// and $XDG_DATA_HOME when they hold an absolute path (unset, empty and relative values are
// ignored, as the rules say), else ~/.config and ~/.local/share. The home folder is $HOME
// when set, else the one the user database names.
class XdgFolders {
 public:
  // Each throws FileError when it needs the home folder and the user has none.
  static std::string configHome();
  static std::string dataHome();
  // A settings file of Tallyworks: configHome()/tallyworks/name.
  static std::string configFile(std::string_view name);
};

}  // namespace tw
