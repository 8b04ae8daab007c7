// A folder's entries through std::filesystem, names matched with fnmatch, letter case folded.
#include "platform/DirectorySearch.h"

#include <fnmatch.h>

#include <filesystem>

namespace zintor {

bool SearchDirectory(const std::string& folder, std::string_view pattern,
                     const std::function<bool(const DirectoryEntry&)>& visit) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator entries(folder.empty() ? "." : folder, error);
    if (error) return false;
    const std::string wildcard(pattern);
    for (; entries != fs::directory_iterator(); entries.increment(error)) {
        if (error) break;
        std::string name = entries->path().filename().string();
        if (::fnmatch(wildcard.c_str(), name.c_str(), FNM_CASEFOLD | FNM_PERIOD) != 0) continue;
        // A link counts as what it leads to.
        std::error_code unknown;
        if (!visit(DirectoryEntry{std::move(name), entries->is_regular_file(unknown)})) break;
    }
    return true;
}

std::string CurrentDirectory() {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::current_path(error);
    return error ? std::string() : folder.string();
}

}  // namespace zintor
