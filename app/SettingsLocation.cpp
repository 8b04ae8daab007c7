// Choosing the settings file's folder by what the user may write.
#include "app/SettingsLocation.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/PathParts.h"

namespace zintor {
namespace {

// The user may write there (a file, or new files into a folder; "" is the current folder).
bool Writable(const std::string& path) {
    return ::faccessat(AT_FDCWD, path.empty() ? "." : path.c_str(), W_OK, AT_EACCESS) == 0;
}

std::string ConfigurationFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.config";
    return {};
}

}  // namespace

std::string SettingsFileLocation(const std::string& besideProgram) {
    bool exists = ::access(besideProgram.c_str(), F_OK) == 0;
    if (Writable(FolderOf(besideProgram)) && (!exists || Writable(besideProgram)))
        return besideProgram;
    std::string config = ConfigurationFolder();
    if (config.empty()) return besideProgram;
    std::string own = config + "/zintor/";
    std::error_code ec;
    std::filesystem::create_directories(own, ec);
    if (ec || !Writable(own)) return besideProgram;
    return own + FileNameOf(besideProgram);
}

}  // namespace zintor
