// Lines, section headers and key lines of an initialisation file.
#include "platform/IniText.h"

#include "platform/AsciiText.h"

namespace zintor {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// "[Name]" gives Name; anything else is no section header.
bool SectionName(std::string_view line, std::string_view& name) {
    line = TrimBlanks(line);
    if (!line.starts_with('[')) return false;
    line.remove_prefix(1);
    std::size_t close = line.find(']');
    name = TrimBlanks(line.substr(0, close));
    return true;
}

// "Key = value" gives Key and value; comments and lines without '=' are no key lines.
bool KeyLine(std::string_view line, std::string_view& key, std::string_view& value) {
    std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() == ';') return false;
    std::size_t eq = trimmed.find('=');
    if (eq == std::string_view::npos) return false;
    key = TrimBlanks(trimmed.substr(0, eq));
    value = TrimBlanks(trimmed.substr(eq + 1));
    return !key.empty();
}

// A value in matching single or double quotes loses them.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

std::string_view TrimBlanks(std::string_view s) {
    constexpr std::string_view kBlanks = " \t";
    std::size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    std::size_t last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

IniText::IniText(std::string_view rest) {
    if (rest.starts_with(kUtf8Bom)) {
        bom_ = true;
        rest.remove_prefix(kUtf8Bom.size());
    }
    bool firstEnd = true;
    while (!rest.empty()) {
        std::size_t end = rest.find_first_of("\r\n");
        lines_.emplace_back(rest.substr(0, end));
        if (end == std::string_view::npos) break;
        std::size_t next = end + 1;
        bool crlf = rest[end] == '\r' && next < rest.size() && rest[next] == '\n';
        if (crlf) ++next;
        if (firstEnd) crlf_ = crlf;
        firstEnd = false;
        rest.remove_prefix(next);
    }
}

// Where a key lives in the text: its section's header line, the key's own line, and the
// line after which a new key of the section goes.
struct IniText::Location {
    std::ptrdiff_t section = -1;
    std::ptrdiff_t key = -1;
    std::ptrdiff_t lastContent = -1;
};

IniText::Location IniText::Locate(std::string_view section, std::string_view key) const {
    Location at;
    bool inside = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string_view line = lines_[i];
        std::string_view name;
        if (SectionName(line, name)) {
            if (inside) break;  // only the first section of that name counts
            if (EqualsIgnoringAsciiCase(name, section)) {
                inside = true;
                at.section = at.lastContent = static_cast<std::ptrdiff_t>(i);
            }
            continue;
        }
        if (!inside) continue;
        if (!TrimBlanks(line).empty()) at.lastContent = static_cast<std::ptrdiff_t>(i);
        std::string_view k, v;
        if (at.key < 0 && KeyLine(line, k, v) && EqualsIgnoringAsciiCase(k, key))
            at.key = static_cast<std::ptrdiff_t>(i);
    }
    return at;
}

std::optional<std::string_view> IniText::Find(std::string_view section,
                                              std::string_view key) const {
    Location at = Locate(section, key);
    if (at.key < 0) return std::nullopt;
    std::string_view k, v;
    KeyLine(lines_[static_cast<std::size_t>(at.key)], k, v);
    return Unquote(v);
}

void IniText::Set(std::string_view section, std::string_view key, std::string_view value) {
    Location at = Locate(section, key);
    if (at.key >= 0) {
        std::string& line = lines_[static_cast<std::size_t>(at.key)];
        std::string_view k, v;
        KeyLine(line, k, v);
        line = std::string(k) + "=" + std::string(value);
        return;
    }
    std::string line = std::string(TrimBlanks(key)) + "=" + std::string(value);
    if (at.section >= 0) {
        lines_.insert(lines_.begin() + at.lastContent + 1, line);
        return;
    }
    if (!lines_.empty() && !TrimBlanks(lines_.back()).empty()) lines_.emplace_back();
    std::string header = "[";
    header.append(section).append("]");
    lines_.push_back(std::move(header));
    lines_.push_back(std::move(line));
}

std::string IniText::Bytes() const {
    std::string bytes = bom_ ? std::string(kUtf8Bom) : std::string();
    const char* end = crlf_ ? "\r\n" : "\n";
    for (const std::string& line : lines_) (bytes += line) += end;
    return bytes;
}

}  // namespace zintor
