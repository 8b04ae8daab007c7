// Reading the four numbers of a row in the same pass that finds its end.
#include "logs/PlainRow.h"

#include <bit>
#include <cstring>

namespace zintor {
namespace {

// The numbers of the fields before the line feed, at most four, from p on. Returns where the
// reading stopped: just after the line feed that ended the fourth field or an earlier one, at
// the comma after the fourth field, at end when the text ended first, or nullptr at a double
// quote, a NUL or an end-of-text byte inside the first four fields.
const char* ScanFields(const char* p, const char* end, std::int64_t numbers[4]) {
    for (int column = 0; column < 4; ++column) {
        // Blanks before the number; the line feed is one, but it ends the row first.
        while (p < end && *p != '\n' && IsLogBlank(*p)) ++p;
        std::int64_t value;
        if (column < 2) {
            std::int32_t number;
            p = ParseWrappingInt32(p, end, number);
            value = number;
        } else {
            std::uint64_t count;
            p = ParseLogCount(p, end, count);
            value = static_cast<std::int64_t>(count);
        }
        // The rest of the field, up to the comma or line feed that ends it.
        for (; p < end && *p != ',' && *p != '\n'; ++p)
            if (*p == '"' || *p == '\0' || *p == kEndOfText) return nullptr;
        if (p == end) return end;  // the text ended without a line feed: no field is open
        numbers[column] = value;
        if (*p++ == '\n') return p;
    }
    return p - 1;
}

// The decimal number of the one to eight digits at the start of the eight bytes in word (read
// in memory order, first byte lowest), its digits counted in digits; -1 when the bytes do not
// start with such digits followed by a non-digit (ninth, the byte after the eight).
inline std::int32_t ReadShortNumber(std::uint64_t word, char ninth, int& digits) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    std::uint64_t t = word ^ (0x30 * kOnes);  // a digit byte becomes its value 0 to 9
    // The high bit of each byte that is not a digit: 10 or more, with or without its own.
    std::uint64_t other = (t | ((t & (0x7F * kOnes)) + 0x76 * kOnes)) & (0x80 * kOnes);
    digits = other ? std::countr_zero(other) >> 3 : 8;
    if (digits == 0 || (digits == 8 && static_cast<unsigned char>(ninth - '0') <= 9)) return -1;
    std::uint64_t v = t << (64 - 8 * digits);         // leading zeros in place of the bytes after
    v = ((v * 2561) >> 8) & 0x00FF00FF00FF00FFu;      // pairs of digits
    v = ((v * 6553601) >> 16) & 0x0000FFFF0000FFFFu;  // fours
    return static_cast<std::int32_t>((v * 42949672960001u) >> 32);
}

// The usual row: four fields of one to eight digits each, the last ended by a line feed or by
// CR LF, with at least nine bytes from the start of each field to the end of the text. Such
// numbers cannot wrap and each field is read eight bytes at a time; the length of the row with
// its line feed, or 0 for any other row (the general scan decides it then).
std::size_t ScanCommonRow(const char* start, const char* end, std::int64_t numbers[4]) {
    if constexpr (std::endian::native != std::endian::little) return 0;
    const char* p = start;
    for (int column = 0; column < 4; ++column) {
        if (end - p < 9) return 0;
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        int digits;
        std::int32_t n = ReadShortNumber(word, p[8], digits);
        if (n < 0) return 0;
        numbers[column] = n;
        p += digits;
        if (column < 3) {
            if (*p++ != ',') return 0;
        } else {
            if (*p == '\r' && end - p > 1) ++p;
            if (*p++ != '\n') return 0;
        }
    }
    return static_cast<std::size_t>(p - start);
}

}  // namespace

bool ScanRowNumbers(std::string_view text, std::int64_t numbers[4]) {
    return ScanFields(text.data(), text.data() + text.size(), numbers) != nullptr;
}

std::size_t ScanPlainRow(std::string_view text, std::int64_t numbers[4], bool& usual) {
    const char* start = text.data();
    const char* end = start + text.size();
    usual = false;
    if (start == end || static_cast<unsigned char>(*start - '0') > 9) return 0;
    if (std::size_t size = ScanCommonRow(start, end, numbers)) {
        usual = true;
        return size;
    }
    numbers[0] = numbers[1] = numbers[2] = numbers[3] = 0;
    const char* p = ScanFields(start, end, numbers);
    if (p == nullptr || p == end) return 0;
    if (p[-1] != '\n') {
        // Fields after the fourth: only the line's end, and a NUL that would cut the row or
        // the end of the input.
        for (; p < end && *p != '\n'; ++p)
            if (*p == '\0' || *p == kEndOfText) return 0;
        if (p == end) return 0;
        ++p;
    }
    return static_cast<std::size_t>(p - start);
}

bool IsAsciiText(std::string_view bytes) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    std::uint64_t high = 0;
    for (; end - p >= 8; p += 8) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        high |= word;
    }
    for (; p < end; ++p) high |= static_cast<unsigned char>(*p);
    return (high & kHighBits) == 0;
}

}  // namespace zintor
