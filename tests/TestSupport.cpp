// Test helpers over POSIX calls.
#include "tests/TestSupport.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/TextCodec.h"

namespace zintor {

void PrintTo(const Failure& failure, std::ostream* out) {
    if (!failure) {
        *out << "no failure";
        return;
    }
    *out << "failure " << int(failure.what) << " of " << failure.path << ": "
         << (failure.error > 0 ? std::strerror(failure.error)
                               : "reason " + std::to_string(failure.error));
}

namespace test {

TempDir::TempDir() {
    char pattern[] = "/tmp/zintor-test-XXXXXX";
    if (!::mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string TempDir::operator/(std::string_view name) const {
    return path_ + "/" + std::string(name);
}

void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

int CountEntries(const std::string& folder) {
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) ++n;
    return n;
}

ScopedEnv::ScopedEnv(const char* name, const char* value) : name_(name) {
    const char* old = std::getenv(name);
    hadOld_ = old != nullptr;
    if (old) old_ = old;
    if (value)
        ::setenv(name, value, 1);
    else
        ::unsetenv(name);
}

ScopedEnv::~ScopedEnv() {
    if (hadOld_)
        ::setenv(name_.c_str(), old_.c_str(), 1);
    else
        ::unsetenv(name_.c_str());
}

UnprivilegedUser::UnprivilegedUser() {
    if (::geteuid() == 0) active_ = ::setegid(65534) == 0 && ::seteuid(65534) == 0;
}

UnprivilegedUser::~UnprivilegedUser() {
    if (active_) {
        (void)::seteuid(0);
        (void)::setegid(0);
    }
}

std::u16string U16(std::string_view utf8) {
    std::u16string out;
    for (std::size_t i = 0; i < utf8.size();) {
        auto b = static_cast<unsigned char>(utf8[i]);
        char32_t cp;
        int extra;
        if (b < 0x80)
            cp = b, extra = 0;
        else if (b < 0xE0)
            cp = b & 0x1F, extra = 1;
        else if (b < 0xF0)
            cp = b & 0x0F, extra = 2;
        else
            cp = b & 0x07, extra = 3;
        ++i;
        for (int k = 0; k < extra && i < utf8.size(); ++k, ++i)
            cp = cp << 6 | (static_cast<unsigned char>(utf8[i]) & 0x3F);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string U8(std::u16string_view utf16) {
    std::string out;
    for (char16_t c : utf16) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string Cp932(std::string_view utf8) {
    std::string bytes;
    std::u16string text = U16(utf8);
    // EncodeLinesAppend would turn line feeds into CR LF; keep them as they are here.
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == u'\n') {
            EncodeLinesAppend(TextEncoding::Cp932,
                              std::u16string_view(text).substr(start, i - start), bytes);
            if (i < text.size()) bytes += '\n';
            start = i + 1;
        }
    }
    return bytes;
}

std::string LogRows(int year, int month, int rows) {
    std::string text;
    for (int i = 0; i < rows; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "%04d%02d%02d,%02d0000,%d,%d\r\n", year, month, 1 + i / 24,
                      i % 24, 1000 + i, 5000 + i);
        text += line;
    }
    return text;
}

}  // namespace test
}  // namespace zintor
