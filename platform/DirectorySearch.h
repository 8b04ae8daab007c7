// Searching one folder for the entries whose names pass a test.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace zintor {

struct DirectoryEntry {
    std::string name;    // the entry's name, without its folder
    bool isRegularFile;  // also true for a link to one; false for folders, FIFOs, devices
};

// Calls visit for every entry of folder whose name passes wanted, in the order the system
// delivers them, until visit returns false. The folder is reached by its path ("" is the
// current one); the process's current directory stays as it is. False when the folder cannot
// be read.
bool SearchDirectory(const std::string& folder,
                     const std::function<bool(std::string_view name)>& wanted,
                     const std::function<bool(const DirectoryEntry&)>& visit);

// The process's current directory, or empty when it cannot be told.
std::string CurrentDirectory();

}  // namespace zintor
