// Helpers shared by the tests: temporary folders, files, environment, text conversion.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "platform/Failure.h"

namespace zintor {

// A failure as the tests print it: what failed, the path and the error.
void PrintTo(const Failure& failure, std::ostream* out);

namespace test {

// What an operation that succeeded returns: EXPECT_EQ(generator.ReadReportLog(log), kNoFailure).
inline const Failure kNoFailure{};

// A fresh folder under /tmp, removed with everything in it when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + name
    std::string operator/(std::string_view name) const;

  private:
    std::string path_;
};

void WriteFile(const std::string& path, std::string_view bytes);
std::string ReadFile(const std::string& path);  // empty when missing
bool Exists(const std::string& path);
int CountEntries(const std::string& folder);  // entries other than "." and ".."

// Sets (or with nullptr unsets) an environment variable for as long as it lives.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    std::string name_;
    std::string old_;
    bool hadOld_;
};

// The user-interface language for as long as it lives: LC_ALL and LC_MESSAGES unset, LANG set.
class ScopedLanguage {
  public:
    explicit ScopedLanguage(bool japanese)
        : all_("LC_ALL", nullptr),
          messages_("LC_MESSAGES", nullptr),
          lang_("LANG", japanese ? "ja_JP.UTF-8" : "C") {}

  private:
    ScopedEnv all_, messages_, lang_;
};

// While it lives, the process acts as an unprivileged user (nobody) when it runs as root, so
// that file permissions apply to it as they do to a user.
class UnprivilegedUser {
  public:
    UnprivilegedUser();
    ~UnprivilegedUser();
    UnprivilegedUser(const UnprivilegedUser&) = delete;
    UnprivilegedUser& operator=(const UnprivilegedUser&) = delete;

  private:
    bool active_ = false;
};

// UTF-8 <-> UTF-16 for writing expectations readably.
std::u16string U16(std::string_view utf8);
std::string U8(std::u16string_view utf16);

// The bytes of a UTF-8 text in code page 932, as a Japanese template or page holds them.
std::string Cp932(std::string_view utf8);

// A log of rows of the month, enough for a page from two rows on: one row an hour from the
// first of the month, CR LF ended.
std::string LogRows(int year, int month, int rows);

}  // namespace test
}  // namespace zintor
