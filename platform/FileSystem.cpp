// stat, chdir, links and /proc/self/exe.
#include "platform/FileSystem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/PathParts.h"

namespace zintor {

bool FileExists(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

bool ChangeDirectory(const std::string& path) {
    return !path.empty() && ::chdir(path.c_str()) == 0;
}

std::string FollowLinks(const std::string& path) {
    std::string at = path;
    for (int links = 0; links < 40; ++links) {
        std::error_code error;
        std::filesystem::path target = std::filesystem::read_symlink(at, error);
        if (error) break;  // no link
        at = target.is_absolute() ? target.string() : FolderOf(at) + target.string();
    }
    return at;
}

std::string ModulePath() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.string();
}

}  // namespace zintor
