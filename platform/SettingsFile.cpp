// Reading and rewriting the settings file under its folder's lock.
#include "platform/SettingsFile.h"

#include <algorithm>
#include <cerrno>

#include "platform/AsciiText.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileSystem.h"
#include "platform/FolderLock.h"
#include "platform/RegularFile.h"

namespace zintor {
namespace {

// The text of the file at path. Only a file that is not there reads as empty; one that
// cannot be read must not be rewritten from nothing.
Failure Load(const std::string& path, IniText& text) {
    std::string bytes;
    Failure failure = ReadRegularFile(path, SettingsFile::kMaxFileBytes, bytes);
    if (failure && failure.error != ENOENT && failure.error != ENOTDIR) return failure;
    text = IniText(bytes);
    return {};
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

template <typename Kept>
auto FindUnsaved(Kept& unsaved, std::string_view section, std::string_view key) {
    return std::find_if(unsaved.begin(), unsaved.end(), [&](const auto& kept) {
        return EqualsIgnoringAsciiCase(kept.section, section) &&
               EqualsIgnoringAsciiCase(kept.key, TrimBlanks(key));
    });
}

}  // namespace

std::string SettingsValues::ReadString(std::string_view section, std::string_view key,
                                       std::string_view defaultValue, std::size_t maxChars) const {
    if (auto kept = FindUnsaved(unsaved_, section, key); kept != unsaved_.end())
        return std::string(CutToChars(kept->value, maxChars));
    return std::string(CutToChars(text_.Find(section, key).value_or(defaultValue), maxChars));
}

int SettingsValues::ReadInt(std::string_view section, std::string_view key,
                            int defaultValue) const {
    std::string value = ReadString(section, key, "");
    std::string_view s = TrimBlanks(value);
    if (s.empty()) return defaultValue;
    std::int32_t n;
    ParseWrappingInt32(s.data(), s.data() + s.size(), n);
    return n;
}

// A file that cannot be read reads as one without any key.
SettingsValues SettingsFile::Read() const {
    SettingsValues values;
    (void)Load(path_, values.text_);
    values.unsaved_ = unsaved_;
    return values;
}

Failure SettingsFile::Write(std::string_view section, std::initializer_list<SettingsValue> values) {
    Failure failure = WriteToFile(section, values);
    for (const SettingsValue& v : values) {
        if (auto old = FindUnsaved(unsaved_, section, v.key); old != unsaved_.end())
            unsaved_.erase(old);
        if (failure)
            unsaved_.push_back({std::string(section), std::string(TrimBlanks(v.key)), v.value});
    }
    if (failure && notice_ && !noticeGiven_) {
        noticeGiven_ = true;
        notice_(failure);
    }
    return failure;
}

Failure SettingsFile::WriteToFile(std::string_view section,
                                  std::initializer_list<SettingsValue> values) {
    // A line break would split the line and plant text of its own in the file.
    bool refused = section.empty() || HasLineBreak(section);
    for (const SettingsValue& v : values)
        refused =
            refused || TrimBlanks(v.key).empty() || HasLineBreak(v.key) || HasLineBreak(v.value);
    if (refused) return {Failure::kWrite, path_, Failure::kLineBreak};
    // A link is written through: the file it leads to is replaced, beside itself. A link
    // that is not the user's in a folder others can write to is left alone.
    std::string file;
    if (!FollowTrustedLinks(path_, file)) return {Failure::kWrite, file, Failure::kUntrustedLink};
    // Read, change and replace under the folder's lock, so that a copy of the program writing
    // at the same moment neither starts from the file before this change nor loses its own.
    FolderLock lock(file);
    IniText text;
    if (Failure failure = Load(file, text)) return {Failure::kRead, path_, failure.error};
    for (const SettingsValue& v : values) text.Set(section, v.key, v.value);
    AtomicFileWriter writer;
    if (Failure failure = writer.Open(file)) return failure;
    if (Failure failure = writer.Write(text.Bytes())) return failure;
    return writer.Commit(/*durable=*/true);
}

}  // namespace zintor
