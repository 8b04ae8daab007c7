// The rules of ASCII text that the program applies itself, whatever the locale: names
// compared without regard to letter case, and decimal numbers read as the C library's integer
// conversion reads them, wrapping at 32 bits (byte counts up to 48 bits read exactly).
#pragma once

#include <cstdint>
#include <string_view>
#include <type_traits>

namespace zintor {

// 'A' to 'Z' as 'a' to 'z' (and the other way for AsciiUpper); every other character as it is.
template <typename Char>
constexpr Char AsciiLower(Char c) {
    return c >= Char('A') && c <= Char('Z') ? static_cast<Char>(c - Char('A') + Char('a')) : c;
}
template <typename Char>
constexpr Char AsciiUpper(Char c) {
    return c >= Char('a') && c <= Char('z') ? static_cast<Char>(c - Char('a') + Char('A')) : c;
}

// True when a and b are the same but for the letter case of ASCII letters.
constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

// Reads an optional sign and the decimal digits after it from p on, up to the first other
// character or end; no digits read as 0, and the value wraps modulo 2^32. Returns where the
// reading stopped.
template <typename Char>
inline const Char* ParseWrappingInt32(const Char* p, const Char* end, std::int32_t& value) {
    bool negative = false;
    if (p < end && (*p == Char('+') || *p == Char('-'))) negative = *p++ == Char('-');
    std::uint32_t n = 0;
    for (; p < end; ++p) {
        // Characters below '0' wrap to large numbers and end the digits as well.
        auto digit = static_cast<std::uint32_t>(static_cast<std::make_unsigned_t<Char>>(*p)) - '0';
        if (digit > 9) break;
        n = n * 10 + digit;
    }
    value = static_cast<std::int32_t>(negative ? 0u - n : n);
    return p;
}

// Counts of bytes at most this large are read exactly.
constexpr std::uint64_t kExactLogCountLimit = std::uint64_t{1} << 48;

// A byte count, read as ParseWrappingInt32 reads a number, from p on: a value from 0 to
// 2^48 - 1 exactly; any other (negative, 2^48 or more) as before, modulo 2^32 (0 to
// 2^32 - 1). A 32-bit monitor never writes a count beyond 2^32, so its logs read the same;
// a row of more than 4 GiB is read as written.
template <typename Char>
inline const Char* ParseLogCount(const Char* p, const Char* end, std::uint64_t& value) {
    bool negative = false;
    if (p < end && (*p == Char('+') || *p == Char('-'))) negative = *p++ == Char('-');
    std::uint64_t n = 0;  // modulo 2^64, whose low 32 bits are the value modulo 2^32
    bool large = false;   // 2^48 or more at some digit: it only grows from there
    for (; p < end; ++p) {
        auto digit = static_cast<std::uint64_t>(static_cast<std::make_unsigned_t<Char>>(*p)) - '0';
        if (digit > 9) break;
        n = n * 10 + digit;
        large = large || n >= kExactLogCountLimit;
    }
    if (negative || large) n = static_cast<std::uint32_t>(negative ? 0u - n : n);
    value = n;
    return p;
}

}  // namespace zintor
