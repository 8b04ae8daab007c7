// The settings file beside the program: an initialisation file of [Section] headers and
// Key=value lines. A read takes the file as it is at that moment, so several running copies
// of the program share it; a write sets any number of keys in one rewrite of the file: the
// folder locked, the file read once, the keys changed in it, a temporary file renamed over
// it. So writes of several copies at once follow one another, and none is lost.
//
// Only a regular file is read (a FIFO or a device reads as a file that cannot be read), and
// one of at most 1 MiB: no settings file of ours comes near that. A settings file that is a
// symbolic link (into a folder of dotfiles, say) stays a link: the file it leads to is the
// one replaced, when the link is the user's own or lies in a folder no one else can write
// to; another user's link in a shared folder is not written through (the write fails). A value that
// cannot be written is kept in memory and read back from there for as long as the object lives, so
// a program whose settings cannot be saved still goes on with them.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Failure.h"
#include "platform/IniText.h"

namespace zintor {

// A key of a section and its value, to write.
struct SettingsValue {
    std::string_view key;
    std::string value;
};

// The settings as one read of the file found them, with the values that could not be saved
// laid over them.
class SettingsValues {
  public:
    // The value of key in section, without the blanks around it and without one pair of
    // matching quotes around it, cut to maxChars characters. Section and key names compare
    // without regard to letter case. defaultValue when the file, the section or the key is
    // missing.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue,
                           std::size_t maxChars = kMaxValueChars) const;

    // The value as a decimal integer: blanks, an optional sign, then digits up to the first
    // other character ("12px" reads 12, "px" reads 0), wrapping at 32 bits. defaultValue when
    // the key is missing or its value is empty.
    int ReadInt(std::string_view section, std::string_view key, int defaultValue) const;

    // Values are read into room for 4096 characters, the last taken by the terminator.
    static constexpr std::size_t kMaxValueChars = 4095;

  private:
    friend class SettingsFile;
    struct Unsaved {
        std::string section, key, value;
    };
    IniText text_;
    std::vector<Unsaved> unsaved_;
};

class SettingsFile {
  public:
    explicit SettingsFile(std::string path) : path_(std::move(path)) {}

    // The settings as the file holds them now, read once.
    SettingsValues Read() const;
    // One value, read from the file now.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue,
                           std::size_t maxChars = SettingsValues::kMaxValueChars) const {
        return Read().ReadString(section, key, defaultValue, maxChars);
    }
    int ReadInt(std::string_view section, std::string_view key, int defaultValue) const {
        return Read().ReadInt(section, key, defaultValue);
    }

    // Sets the keys of section, in order, in one rewrite of the file: a key's line is replaced
    // (keeping the key's spelling), or a line is added at the end of the section, or the
    // section is added at the end of the file. Every other line, comments and blank lines
    // included, stays as it was. The file is created when missing. A failure when the file
    // could not be written; it then keeps its old content, and the values are kept in memory.
    Failure Write(std::string_view section, std::initializer_list<SettingsValue> values);
    Failure WriteString(std::string_view section, std::string_view key, std::string_view value) {
        return Write(section, {{key, std::string(value)}});
    }

    // Called with the first write that fails, and never again.
    void SetFirstFailureNotice(std::function<void(const Failure&)> notice) {
        notice_ = std::move(notice);
    }

    static constexpr std::size_t kMaxFileBytes = 1u << 20;

  private:
    Failure WriteToFile(std::string_view section, std::initializer_list<SettingsValue> values);

    std::string path_;
    std::vector<SettingsValues::Unsaved> unsaved_;
    std::function<void(const Failure&)> notice_;
    bool noticeGiven_ = false;
};

}  // namespace zintor
