// Choosing the settings file's folder by what the user may write.
#include "app/SettingsLocation.h"

#include <unistd.h>

#include <cstdlib>

#include "platform/FileSystem.h"
#include "platform/PathParts.h"
#include "platform/UserFolders.h"

namespace zintor {

namespace {

// The choice of both: makeFolder creates the user's configuration folder when it is missing;
// without it a missing folder means that no settings were ever kept there.
std::string ChooseSettingsFile(const std::string& besideProgram, bool makeFolder) {
    bool exists = ::access(besideProgram.c_str(), F_OK) == 0;
    if (MayWrite(FolderOf(besideProgram)) && (!exists || MayWrite(besideProgram)))
        return besideProgram;
    std::string own = UserConfigFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    if (own.empty()) return besideProgram;
    own += '/';
    // A configuration folder made here is the user's own, as the desktop's own folders are.
    if (makeFolder && MakeFolders(own, 0700) != 0) return besideProgram;
    if (!MayWrite(own)) return besideProgram;
    return own + FileNameOf(besideProgram);
}

}  // namespace

std::string SettingsFileLocation(const std::string& besideProgram) {
    return ChooseSettingsFile(besideProgram, true);
}

std::string SettingsFileToRead(const std::string& besideProgram) {
    return ChooseSettingsFile(besideProgram, false);
}

}  // namespace zintor
