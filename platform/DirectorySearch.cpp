// A folder's entries through std::filesystem, each looked at by its path within the folder.
#include "platform/DirectorySearch.h"

#include <filesystem>

namespace zintor {

bool SearchDirectory(const std::string& folder,
                     const std::function<bool(std::string_view name)>& wanted,
                     const std::function<bool(const DirectoryEntry&)>& visit) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator entries(folder.empty() ? "." : folder, error);
    if (error) return false;
    for (; entries != fs::directory_iterator(); entries.increment(error)) {
        if (error) break;
        std::string name = entries->path().filename().string();
        if (!wanted(name)) continue;
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
