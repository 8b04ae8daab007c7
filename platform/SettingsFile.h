// The settings file beside the program: an initialisation file of [Section] headers and
// Key=value lines, read and written key by key the way the private-profile functions of the
// original platform do it. Every call reads the file anew, so several running copies of the
// program share it; a write rewrites the file through a temporary file renamed over it, with
// the folder locked so that writes of several copies at once follow one another.
//
// Only a regular file is read (a FIFO or a device reads as a file that cannot be read), and
// one of at most 1 MiB: no settings file of ours comes near that. A settings file that is a
// symbolic link (into a folder of dotfiles, say) stays a link: the file it leads to is the
// one replaced. A value that cannot be written is kept in memory and read back from there
// for as long as the object lives, so a program whose settings cannot be saved still goes on
// with them.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zintor {

class SettingsFile {
public:
    explicit SettingsFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // The value of key in section, without the blanks around it and without one pair of
    // matching quotes around it, cut to maxChars characters. Section and key names compare
    // without regard to letter case. defaultValue when the file, the section or the key is
    // missing.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                           std::size_t maxChars = kMaxValueChars) const;

    // The value as a decimal integer: blanks, an optional sign, then digits up to the first
    // other character ("12px" reads 12, "px" reads 0). defaultValue when the key is missing
    // or its value is empty.
    int ReadInt(std::string_view section, std::string_view key, int defaultValue) const;

    // Sets key in section to value: the key's line is replaced (keeping the key's spelling),
    // or a line is added at the end of the section, or the section is added at the end of
    // the file. Every other line, comments and blank lines included, stays as it was. The
    // file is created when missing. False when the file could not be written; it then keeps
    // its old content, and the value is kept in memory.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value) const;
    bool WriteInt(std::string_view section, std::string_view key, int value) const;

    // What the last failed write said, for example "cannot write /a/zintor.ini: Read-only
    // file system".
    const std::string& ErrorText() const { return error_; }

    // Called with ErrorText the first time a write fails, and never again.
    void SetFirstFailureNotice(std::function<void(const std::string&)> notice) { notice_ = std::move(notice); }

    // Values are read into room for 4096 characters, the last taken by the terminator.
    static constexpr std::size_t kMaxValueChars = 4095;
    static constexpr std::size_t kMaxFileBytes = 1u << 20;

private:
    struct UnsavedValue {
        std::string section, key, value;
    };
    bool WriteToFile(std::string_view section, std::string_view key, std::string_view value) const;
    UnsavedValue* FindUnsaved(std::string_view section, std::string_view key) const;
    void KeepUnsaved(std::string_view section, std::string_view key, std::string_view value) const;
    void ForgetUnsaved(std::string_view section, std::string_view key) const;

    std::string path_;
    mutable std::string error_;
    mutable std::vector<UnsavedValue> unsaved_;
    std::function<void(const std::string&)> notice_;
    mutable bool noticeGiven_ = false;
};

}  // namespace zintor
