// One line of a report log: comment lines, and the CSV fields of a data line.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>

namespace zintor {

// A character of a line, whichever way it is held (bytes are characters U+0000..U+00FF).
inline char16_t CharOf(char c) { return static_cast<unsigned char>(c); }
inline char16_t CharOf(char16_t c) { return c; }

// True when a line starting with this character is skipped: '!', '#' or ';', or any
// character with bits 4 to 7 clear (the line feed of an empty line, a tab, a control
// character below U+0010, U+3000, U+4E00, ...).
bool IsLogCommentStart(char16_t first);

// Splits a data line into fields and calls onField(column, text) for each, in order, until
// it returns false. text holds the line and may hold what follows it: the line ends at its
// first line feed (a CR just before it dropped when dropCrBeforeLineFeed), or at the end of
// text without one. Returns the number of fields.
//
// The line is taken up to its first NUL (a line feed after it is not seen). A double quote
// flips an in-quotes flag and stays in the field; a comma or the line feed outside quotes
// ends the field; text after the last field end is not a field, so a line without a line
// feed loses its last field and a line that ends inside quotes loses the field that is open.
// A field holding a double quote is unquoted (into scratch): each non-overlapping pair of
// double quotes becomes one, then a leading and a trailing double quote are dropped.
namespace detail {
// What a character means to the splitter: 0 nothing, else one of the kinds below.
enum : unsigned char { kPlain = 0, kComma, kQuote, kLineFeed, kNul };
extern const unsigned char kSplitKind[128];
template <typename Char>
inline unsigned char SplitKind(Char ch) {
    auto c = static_cast<std::make_unsigned_t<Char>>(ch);
    return c < 128 ? kSplitKind[c] : static_cast<unsigned char>(kPlain);
}
}  // namespace detail

template <typename Char, typename OnField>
int SplitLogLine(std::basic_string_view<Char> text, bool dropCrBeforeLineFeed,
                 std::basic_string<Char>& scratch, OnField&& onField) {
    using namespace detail;
    int count = 0;
    std::size_t start = 0;
    bool inQuotes = false;
    bool quoted = false;
    auto field = [&](std::size_t end) {
        std::basic_string_view<Char> value = text.substr(start, end - start);
        if (quoted) {
            scratch.clear();
            for (std::size_t i = 0; i < value.size(); ++i) {
                scratch += value[i];
                if (value[i] == Char('"') && i + 1 < value.size() && value[i + 1] == Char('"')) ++i;
            }
            if (!scratch.empty() && scratch.front() == Char('"')) scratch.erase(0, 1);
            if (!scratch.empty() && scratch.back() == Char('"')) scratch.pop_back();
            value = scratch;
        }
        return onField(count++, value);
    };
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        unsigned char kind = SplitKind(text[i]);
        if (kind == kPlain) continue;
        if (kind == kQuote) {
            inQuotes = !inQuotes;
            quoted = true;
        } else if (kind == kNul) {
            return count;  // the line ends at its first NUL, line feed and all
        } else if (kind == kLineFeed) {
            std::size_t end =
                dropCrBeforeLineFeed && i > start && text[i - 1] == Char('\r') ? i - 1 : i;
            if (!inQuotes) field(end);
            return count;
        } else if (!inQuotes) {
            if (!field(i)) return count;
            start = i + 1;
            quoted = false;
        }
    }
    return count;
}

}  // namespace zintor
