// Reading and rewriting an initialisation file line by line.
#include "platform/SettingsFile.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/AtomicFileWriter.h"
#include "platform/FileSystem.h"
#include "platform/FolderLock.h"
#include "platform/RegularFile.h"

namespace zintor {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view s) {
    std::size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    std::size_t last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// The file as lines without their line ends, remembering how it was laid out so that a
// rewrite changes nothing but the one line.
struct IniText {
    bool exists = false;
    int readError = 0;  // why a file that is there could not be read whole (see OpenErrorText)
    bool bom = false;
    bool crlf = false;
    std::vector<std::string> lines;
};

IniText Load(const std::string& path) {
    IniText text;
    int openError;
    struct stat st;
    int fd = OpenRegularFile(path, openError, &st);
    if (fd < 0) {
        // Only a file that is not there reads as empty; one that cannot be opened must not
        // be rewritten from nothing.
        if (openError != ENOENT && openError != ENOTDIR) text.readError = openError;
        return text;
    }
    constexpr std::size_t kReadSize = 16 * 1024;
    std::string bytes;
    // No settings file of ours comes near the limit; one that does (or grows past it while
    // it is read) is not read into memory.
    if (static_cast<std::size_t>(st.st_size) > SettingsFile::kMaxFileBytes) text.readError = EFBIG;
    while (text.readError == 0) {
        std::size_t have = bytes.size();
        if (have > SettingsFile::kMaxFileBytes) {
            text.readError = EFBIG;
            break;
        }
        bytes.resize(have + kReadSize);
        ssize_t n = ::read(fd, bytes.data() + have, kReadSize);
        bytes.resize(have + static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
        if (n < 0 && errno != EINTR) text.readError = errno;
        if (n == 0) break;
    }
    ::close(fd);
    if (text.readError != 0) return text;
    text.exists = true;
    std::string_view rest = bytes;
    if (rest.starts_with(kUtf8Bom)) {
        text.bom = true;
        rest.remove_prefix(kUtf8Bom.size());
    }
    // A line ends at LF, at CR LF, or at a CR alone: no value ever holds a CR, so a rewrite,
    // which ends every line alike, reads back the same values.
    bool firstEnd = true;
    while (!rest.empty()) {
        std::size_t end = rest.find_first_of("\r\n");
        text.lines.emplace_back(rest.substr(0, end));
        if (end == std::string_view::npos) break;
        std::size_t next = end + 1;
        bool crlf = rest[end] == '\r' && next < rest.size() && rest[next] == '\n';
        if (crlf) ++next;
        if (firstEnd) text.crlf = crlf;
        firstEnd = false;
        rest.remove_prefix(next);
    }
    return text;
}

// "[Name]" gives Name; anything else is no section header.
bool SectionName(std::string_view line, std::string_view& name) {
    line = Trim(line);
    if (!line.starts_with('[')) return false;
    line.remove_prefix(1);
    std::size_t close = line.find(']');
    name = Trim(line.substr(0, close));
    return true;
}

// "Key = value" gives Key and value; comments and lines without '=' are no key lines.
bool KeyLine(std::string_view line, std::string_view& key, std::string_view& value) {
    std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';') return false;
    std::size_t eq = trimmed.find('=');
    if (eq == std::string_view::npos) return false;
    key = Trim(trimmed.substr(0, eq));
    value = Trim(trimmed.substr(eq + 1));
    return !key.empty();
}

// Where a key lives in the file: its section's header line, the key's own line, and the
// line after which a new key of the section goes.
struct Location {
    std::ptrdiff_t section = -1;
    std::ptrdiff_t key = -1;
    std::ptrdiff_t lastContent = -1;
};

Location Find(const IniText& text, std::string_view section, std::string_view key) {
    Location at;
    bool inside = false;
    for (std::size_t i = 0; i < text.lines.size(); ++i) {
        std::string_view line = text.lines[i];
        std::string_view name;
        if (SectionName(line, name)) {
            if (inside) break;  // only the first section of that name counts
            if (EqualsNoCase(name, section)) {
                inside = true;
                at.section = at.lastContent = static_cast<std::ptrdiff_t>(i);
            }
            continue;
        }
        if (!inside) continue;
        if (!Trim(line).empty()) at.lastContent = static_cast<std::ptrdiff_t>(i);
        std::string_view k, v;
        if (at.key < 0 && KeyLine(line, k, v) && EqualsNoCase(k, key)) at.key = static_cast<std::ptrdiff_t>(i);
    }
    return at;
}

// A value in matching single or double quotes loses them.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Cuts UTF-8 text to at most maxChars characters.
std::string_view CutToChars(std::string_view s, std::size_t maxChars) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) continue;  // continuation byte
        if (chars == maxChars) return s.substr(0, i);
        ++chars;
    }
    return s;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

std::string SettingsFile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                     std::size_t maxChars) const {
    if (const UnsavedValue* kept = FindUnsaved(section, key)) return std::string(CutToChars(kept->value, maxChars));
    IniText text = Load(path_);
    Location at = Find(text, section, key);
    if (at.key < 0) return std::string(CutToChars(defaultValue, maxChars));
    std::string_view k, v;
    KeyLine(text.lines[static_cast<std::size_t>(at.key)], k, v);
    return std::string(CutToChars(Unquote(v), maxChars));
}

int SettingsFile::ReadInt(std::string_view section, std::string_view key, int defaultValue) const {
    std::string value = ReadString(section, key, "");
    std::string_view s = Trim(value);
    if (s.empty()) return defaultValue;
    bool negative = false;
    if (s.front() == '+' || s.front() == '-') {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    // 32-bit wrap-around, as the platform's conversion does for overlong numbers.
    std::uint32_t n = 0;
    for (char c : s) {
        if (c < '0' || c > '9') break;
        n = n * 10u + static_cast<std::uint32_t>(c - '0');
    }
    if (negative) n = 0u - n;
    return static_cast<int>(n);
}

SettingsFile::UnsavedValue* SettingsFile::FindUnsaved(std::string_view section, std::string_view key) const {
    for (UnsavedValue& kept : unsaved_)
        if (EqualsNoCase(kept.section, section) && EqualsNoCase(kept.key, Trim(key))) return &kept;
    return nullptr;
}

void SettingsFile::KeepUnsaved(std::string_view section, std::string_view key, std::string_view value) const {
    if (UnsavedValue* kept = FindUnsaved(section, key))
        kept->value = value;
    else
        unsaved_.push_back({std::string(section), std::string(Trim(key)), std::string(value)});
    if (notice_ && !noticeGiven_) {
        noticeGiven_ = true;
        notice_(error_);
    }
}

void SettingsFile::ForgetUnsaved(std::string_view section, std::string_view key) const {
    if (const UnsavedValue* kept = FindUnsaved(section, key)) unsaved_.erase(unsaved_.begin() + (kept - unsaved_.data()));
}

bool SettingsFile::WriteString(std::string_view section, std::string_view key, std::string_view value) const {
    bool written = WriteToFile(section, key, value);
    if (written)
        ForgetUnsaved(section, key);
    else
        KeepUnsaved(section, key, value);
    return written;
}

bool SettingsFile::WriteToFile(std::string_view section, std::string_view key, std::string_view value) const {
    error_.clear();
    // A line break would split the line and plant text of its own in the file.
    if (section.empty() || Trim(key).empty() || HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) {
        error_ = "cannot write " + path_ + ": a section, key or value holds a line break or is empty";
        return false;
    }
    // A link is written through: the file it leads to is replaced, beside itself.
    const std::string file = FollowLinks(path_);
    // Read, change and replace under the folder's lock, so that a copy of the program writing
    // at the same moment neither starts from the file before this change nor loses its own.
    FolderLock lock(file);
    IniText text = Load(file);
    if (text.readError != 0) {
        error_ = "cannot read " + path_ + ": " + OpenErrorText(text.readError);
        return false;
    }
    Location at = Find(text, section, key);
    if (at.key >= 0) {
        std::string& line = text.lines[static_cast<std::size_t>(at.key)];
        std::string_view k, v;
        KeyLine(line, k, v);
        line = std::string(k) + "=" + std::string(value);
    } else {
        std::string line = std::string(Trim(key)) + "=" + std::string(value);
        if (at.section >= 0) {
            text.lines.insert(text.lines.begin() + at.lastContent + 1, line);
        } else {
            if (!text.lines.empty() && !Trim(text.lines.back()).empty()) text.lines.emplace_back();
            std::string header = "[";
            header.append(section).append("]");
            text.lines.push_back(std::move(header));
            text.lines.push_back(line);
        }
    }
    std::string bytes = text.bom ? std::string(kUtf8Bom) : std::string();
    const char* end = text.crlf ? "\r\n" : "\n";
    for (const std::string& line : text.lines) (bytes += line) += end;

    AtomicFileWriter writer;
    if (!writer.Open(file) || !writer.Write(bytes) || !writer.Commit(true)) {
        error_ = writer.ErrorText();
        return false;
    }
    return true;
}

bool SettingsFile::WriteInt(std::string_view section, std::string_view key, int value) const {
    return WriteString(section, key, std::to_string(value));
}

}  // namespace zintor
