// Choosing the settings file's folder by what the user may write.
#include "app/SettingsLocation.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/FileSystem.h"
#include "platform/PathParts.h"
#include "platform/UserFolders.h"

namespace zintor {

std::string SettingsFileLocation(const std::string& besideProgram) {
    bool exists = ::access(besideProgram.c_str(), F_OK) == 0;
    if (MayWrite(FolderOf(besideProgram)) && (!exists || MayWrite(besideProgram)))
        return besideProgram;
    std::string own = UserConfigFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    if (own.empty()) return besideProgram;
    own += '/';
    std::error_code ec;
    std::filesystem::create_directories(own, ec);
    if (ec || !MayWrite(own)) return besideProgram;
    return own + FileNameOf(besideProgram);
}

}  // namespace zintor
