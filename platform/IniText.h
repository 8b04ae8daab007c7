// The text of an initialisation file: [Section] headers and Key=value lines, kept line by
// line as the file holds them, so that setting a key changes that key's line and no other.
// Section and key names compare without regard to letter case.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zintor {

class IniText {
  public:
    IniText() = default;
    // The text of a file's bytes. A line ends at LF, at CR LF, or at a CR alone (no value
    // ever holds a CR, so a rewrite, which ends every line alike, reads back the same values).
    explicit IniText(std::string_view bytes);

    // The value of key in section, without the blanks around it and without one pair of
    // matching quotes around it; nothing when the section or the key is missing. Only the
    // first section of a name counts, and in it the first line of the key.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

    // Sets key in section to value: the key's line is replaced (keeping the key's spelling),
    // or a line is added after the section's last line that is not blank, or the section is
    // added at the end of the text. Every other line stays as it was.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // The text as bytes: the UTF-8 mark when the file had one, and every line ended as the
    // file's first line was (CR LF or LF).
    std::string Bytes() const;

  private:
    struct Location;
    Location Locate(std::string_view section, std::string_view key) const;

    bool bom_ = false;
    bool crlf_ = false;
    std::vector<std::string> lines_;  // without their line ends
};

// s without the blanks and tabs around it.
std::string_view TrimBlanks(std::string_view s);

}  // namespace zintor
