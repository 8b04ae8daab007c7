// Searching one folder for entries whose names match a wildcard pattern ('*' and '?'),
// with letter case not counting.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace zintor {

struct DirectoryEntry {
    std::string name;    // the entry's name, without its folder
    bool isRegularFile;  // also true for a link to one; false for folders, FIFOs, devices
};

// Calls visit for every entry of folder whose name matches pattern, in the order the
// system delivers them, until visit returns false. False when the folder cannot be read.
bool SearchDirectory(const std::string& folder, std::string_view pattern,
                     const std::function<bool(const DirectoryEntry&)>& visit);

// The process's current directory, or empty when it cannot be told.
std::string CurrentDirectory();

}  // namespace zintor
