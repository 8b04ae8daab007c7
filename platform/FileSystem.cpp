// stat, chdir and /proc/self/exe.
#include "platform/FileSystem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace zintor {

bool FileExists(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

bool IsDirectory(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ChangeDirectory(const std::string& path) { return !path.empty() && ::chdir(path.c_str()) == 0; }

std::string FollowLinks(const std::string& path) {
    std::string at = path;
    std::vector<char> target(4096);
    for (int links = 0; links < 40; ++links) {
        ssize_t n = ::readlink(at.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<std::size_t>(n) == target.size()) break;  // no link (or a target too long)
        std::string next(target.data(), static_cast<std::size_t>(n));
        std::size_t slash = at.rfind('/');
        if (next.front() != '/' && slash != std::string::npos) next = at.substr(0, slash + 1) + next;
        at = std::move(next);
    }
    return at;
}

std::string ModulePath() {
    std::vector<char> buffer(4096);
    for (;;) {
        ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return {};
        if (static_cast<std::size_t>(n) < buffer.size()) return std::string(buffer.data(), static_cast<std::size_t>(n));
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace zintor
