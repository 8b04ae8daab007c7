// The rules of ASCII text that the program applies itself, whatever the locale: names
// compared without regard to letter case, and decimal numbers read as the C library's integer
// conversion reads them, wrapping at 32 bits.
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

}  // namespace zintor
