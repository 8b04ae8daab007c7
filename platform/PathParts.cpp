// Path splitting on '/'.
#include "platform/PathParts.h"

#include "platform/AsciiText.h"

namespace zintor {

PathParts SplitPath(std::string_view path) {
    PathParts parts;
    std::size_t slash = path.rfind('/');
    std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    parts.dir = std::string(path.substr(0, nameStart));
    std::string_view name = path.substr(nameStart);
    std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        parts.fname = std::string(name);
    } else {
        parts.fname = std::string(name.substr(0, dot));
        parts.ext = std::string(name.substr(dot));
    }
    return parts;
}

std::string ReplaceExtension(std::string_view path, std::string_view newExtension) {
    PathParts parts = SplitPath(path);
    return parts.drive + parts.dir + parts.fname + std::string(newExtension);
}

std::string FolderOf(std::string_view path) {
    PathParts parts = SplitPath(path);
    return parts.drive + parts.dir;
}

std::string FileNameOf(std::string_view path) {
    PathParts parts = SplitPath(path);
    return parts.fname + parts.ext;
}

bool HasExtension(std::string_view path, std::string_view extension) {
    return EqualsIgnoringAsciiCase(SplitPath(path).ext, extension);
}

}  // namespace zintor
