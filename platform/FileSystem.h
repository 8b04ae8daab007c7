// The few questions the program asks the file system.
#pragma once

#include <string>

namespace zintor {

// True when an entry (file or folder) exists at exactly this path.
bool FileExists(const std::string& path);

// True when the path names a folder.
bool IsDirectory(const std::string& path);

// Makes the folder the process's current directory; false when it is not one.
bool ChangeDirectory(const std::string& path);

// Full path of the running program's own file.
std::string ModulePath();

}  // namespace zintor
