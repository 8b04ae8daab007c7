// opendir/readdir with a case-folding wildcard match.
#include "platform/DirectorySearch.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <vector>

namespace zintor {

bool SearchDirectory(const std::string& folder, std::string_view pattern,
                     const std::function<bool(const DirectoryEntry&)>& visit) {
    // Closed however the walk ends, also when visit throws.
    std::unique_ptr<DIR, int (*)(DIR*)> folderHandle(::opendir(folder.empty() ? "." : folder.c_str()), ::closedir);
    DIR* dir = folderHandle.get();
    if (!dir) return false;
    const std::string wildcard(pattern);
    std::string base = folder;
    if (!base.empty() && base.back() != '/') base += '/';
    while (const dirent* entry = ::readdir(dir)) {
        if (::fnmatch(wildcard.c_str(), entry->d_name, FNM_CASEFOLD | FNM_PERIOD) != 0) continue;
        bool isRegularFile = entry->d_type == DT_REG;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat st;
            isRegularFile = ::stat((base + entry->d_name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
        }
        if (!visit(DirectoryEntry{entry->d_name, isRegularFile})) break;
    }
    return true;
}

std::string CurrentDirectory() {
    std::vector<char> buffer(4096);
    for (;;) {
        if (::getcwd(buffer.data(), buffer.size())) return buffer.data();
        if (errno != ERANGE) return {};
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace zintor
