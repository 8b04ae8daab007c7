// The open dialog's filter: the program's "Description|patterns|...||" text turned into the
// entries a file dialog here understands.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zintor {

struct FileFilterEntry {
    std::string description;            // shown unchanged, e.g. "All Files (*.*)"
    std::vector<std::string> patterns;  // empty patterns dropped
};

// Splits "Desc|p1;p2|Desc|p||" into its entries. The patterns match names the way the
// log folder's search does: letters in either case ("log" also matches "LOG"), and "*.*"
// matches every name, with or without a dot.
std::vector<FileFilterEntry> ParseFileFilter(std::string_view filter);

// The entries as one "Desc|p1;p2|Desc|p" text.
std::string JoinFileFilter(const std::vector<FileFilterEntry>& entries);

}  // namespace zintor
