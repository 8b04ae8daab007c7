// Reading the four numbers of a row in the same pass that finds its end.
#include "logs/PlainRow.h"

#include <cstring>

namespace zintor {
namespace {

// The numbers of the fields before the line feed, at most four, from p on. Returns where the
// reading stopped: just after the line feed that ended the fourth field or an earlier one, at
// the comma after the fourth field, at end when the text ended first, or nullptr at a double
// quote, a NUL or an end-of-text byte inside the first four fields.
const char* ScanFields(const char* p, const char* end, std::int32_t numbers[4]) {
    for (int column = 0; column < 4; ++column) {
        // Blanks before the number; the line feed is one, but it ends the row first.
        while (p < end && *p != '\n' && IsLogBlank(*p)) ++p;
        std::int32_t value;
        p = ParseWrappingInt32(p, end, value);
        // The rest of the field, up to the comma or line feed that ends it.
        for (; p < end && *p != ',' && *p != '\n'; ++p)
            if (*p == '"' || *p == '\0' || *p == kEndOfText) return nullptr;
        if (p == end) return end;  // the text ended without a line feed: no field is open
        numbers[column] = value;
        if (*p++ == '\n') return p;
    }
    return p - 1;
}

}  // namespace

bool ScanRowNumbers(std::string_view text, std::int32_t numbers[4]) {
    return ScanFields(text.data(), text.data() + text.size(), numbers) != nullptr;
}

std::size_t ScanPlainRow(std::string_view text, std::int32_t numbers[4]) {
    const char* start = text.data();
    const char* end = start + text.size();
    if (start == end || static_cast<unsigned char>(*start - '0') > 9) return 0;
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
