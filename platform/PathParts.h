// Splitting a path into drive, folder, base name and extension, the parts from which page,
// template and settings paths are formed ("%s%s%s.html" of drive, folder and base name).
#pragma once

#include <string>
#include <string_view>

namespace zintor {

struct PathParts {
    std::string drive;  // always empty here: paths have no drive letter
    std::string dir;    // the folder, ending in '/', or empty
    std::string fname;  // the file name without its extension
    std::string ext;    // from the last '.' of the file name on, or empty
};

PathParts SplitPath(std::string_view path);

// The path with its extension replaced: drive, folder and base name, then newExtension
// (for example ".html").
std::string ReplaceExtension(std::string_view path, std::string_view newExtension);

// The folder of a path, ending in '/', or empty when the path has none.
std::string FolderOf(std::string_view path);

// The file name with its extension.
std::string FileNameOf(std::string_view path);

// True when the path's extension (with its dot) is extension, letters compared without
// regard to case: ".LOG" is a ".log".
bool HasExtension(std::string_view path, std::string_view extension);

}  // namespace zintor
