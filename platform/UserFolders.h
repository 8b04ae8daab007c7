// The program's own folders in the user's home, as the desktop's base directory rules place
// them: the recorder's logs under the data folder, pages the window cannot write beside
// their logs under the cache folder.
#pragma once

#include <string>

namespace zintor {

// xdgHome and home: the variables' values (XDG_DATA_HOME or XDG_CACHE_HOME, and HOME),
// nullptr when unset. A variable counts only when it holds an absolute path; "" when
// neither does.

// $XDG_DATA_HOME/zintor, else $HOME/.local/share/zintor: where the recorder writes its logs
// unless told otherwise.
std::string UserDataFolder(const char* xdgDataHome, const char* home);

// $XDG_CONFIG_HOME/zintor, else $HOME/.config/zintor: the settings file's folder when the
// program's own folder cannot hold it.
std::string UserConfigFolder(const char* xdgConfigHome, const char* home);

// $XDG_CACHE_HOME/zintor, else $HOME/.cache/zintor.
std::string UserCacheFolder(const char* xdgCacheHome, const char* home);

}  // namespace zintor
