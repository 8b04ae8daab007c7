// Filter text -> dialog entries with letter-case-blind patterns.
#include "app/window/FileFilter.h"

#include "platform/AsciiText.h"

namespace zintor {
namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + 1);
    }
}

// Every letter becomes a class of its two cases: "log" -> "[lL][oO][gG]".
std::string CaseBlind(std::string_view pattern) {
    if (pattern == "*.*") return "*";
    std::string out;
    for (char c : pattern) {
        char lower = AsciiLower(c);
        char upper = AsciiUpper(c);
        if (lower != upper) {
            out += '[';
            out += lower;
            out += upper;
            out += ']';
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::vector<FileFilterEntry> ParseFileFilter(std::string_view filter) {
    std::vector<FileFilterEntry> entries;
    std::vector<std::string_view> parts = Split(filter, '|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty()) break;  // "||" ends the filter
        FileFilterEntry entry{std::string(parts[i]), {}};
        for (std::string_view pattern : Split(parts[i + 1], ';')) {
            if (!pattern.empty()) entry.patterns.push_back(CaseBlind(pattern));
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string JoinFileFilter(const std::vector<FileFilterEntry>& entries) {
    std::string text;
    for (const FileFilterEntry& entry : entries) {
        if (!text.empty()) text += '|';
        text += entry.description;
        text += '|';
        for (std::size_t i = 0; i < entry.patterns.size(); ++i) {
            if (i) text += ';';
            text += entry.patterns[i];
        }
    }
    return text;
}

}  // namespace zintor
