// stat, access, links and /proc/self/exe.
#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <filesystem>

#include "platform/PathParts.h"

namespace zintor {

bool FileExists(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

int FolderAccess(const std::string& path) {
    struct stat st;
    if (path.empty()) return ENOENT;
    if (::stat(path.c_str(), &st) != 0) return errno;
    if (!S_ISDIR(st.st_mode)) return ENOTDIR;
    return ::faccessat(AT_FDCWD, path.c_str(), X_OK, AT_EACCESS) == 0 ? 0 : errno;
}

bool MayWrite(const std::string& path) {
    return ::faccessat(AT_FDCWD, path.empty() ? "." : path.c_str(), W_OK, AT_EACCESS) == 0;
}

int MakeFolders(const std::string& folder, unsigned mode) {
    for (std::size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
        std::string part = folder.substr(0, end);
        if (::mkdir(part.c_str(), mode) == 0)
            ::chmod(part.c_str(), mode);
        else if (errno != EEXIST)
            return errno;
        if (end == std::string::npos) break;
    }
    struct stat info;
    if (::stat(folder.c_str(), &info) != 0) return errno;
    return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

namespace {

bool IsTrustedLink(const std::string& link, const struct stat& linkStat) {
    const uid_t user = ::geteuid();
    if (linkStat.st_uid == user) return true;
    std::string folder = FolderOf(link);
    struct stat st;
    if (::stat(folder.empty() ? "." : folder.c_str(), &st) != 0) return false;
    return (st.st_uid == user || st.st_uid == 0) && (st.st_mode & 022) == 0;
}

}  // namespace

bool FollowTrustedLinks(const std::string& path, std::string& end) {
    end = path;
    for (int links = 0; links < 40; ++links) {
        struct stat st;
        if (::lstat(end.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        std::error_code error;
        std::filesystem::path target = std::filesystem::read_symlink(end, error);
        if (error) break;
        if (!IsTrustedLink(end, st)) return false;
        end = target.is_absolute() ? target.string() : FolderOf(end) + target.string();
    }
    return true;
}

std::string ModulePath() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.string();
}

}  // namespace zintor
