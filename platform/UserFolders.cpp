// The per-user folders: a base directory variable when it is absolute, else one under HOME.
#include "platform/UserFolders.h"

namespace zintor {
namespace {

std::string OwnFolder(const char* xdgHome, const char* home, const char* underHome) {
    if (xdgHome && xdgHome[0] == '/') return std::string(xdgHome) + "/zintor";
    if (home && home[0] == '/') return std::string(home) + underHome + "/zintor";
    return "";
}

}  // namespace

std::string UserDataFolder(const char* xdgDataHome, const char* home) {
    return OwnFolder(xdgDataHome, home, "/.local/share");
}

std::string UserConfigFolder(const char* xdgConfigHome, const char* home) {
    return OwnFolder(xdgConfigHome, home, "/.config");
}

std::string UserCacheFolder(const char* xdgCacheHome, const char* home) {
    return OwnFolder(xdgCacheHome, home, "/.cache");
}

}  // namespace zintor
