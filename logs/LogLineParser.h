// One line of a report log: comment lines, and the CSV fields of a data line.
#pragma once

#include <string>
#include <string_view>

namespace zintor {

// A character of a line, whichever way it is held (bytes are characters U+0000..U+00FF).
inline char16_t CharOf(char c) { return static_cast<unsigned char>(c); }
inline char16_t CharOf(char16_t c) { return c; }

// True when a line starting with this character is skipped: '!', '#' or ';', or any
// character with bits 4 to 7 clear (the line feed of an empty line, a tab, a control
// character below U+0010, U+3000, U+4E00, ...).
bool IsLogCommentStart(char16_t first);

// Splits a data line into fields and calls onField(column, text) for each, in order, until
// it returns false. The line is given without its line feed; lineFeed says whether it had
// one. Returns the number of fields.
//
// The line is taken up to its first NUL (a line feed after it is not seen). A double quote
// flips an in-quotes flag and stays in the field; a comma or line feed outside quotes ends
// the field; text after the last field end is not a field, so a line without a line feed
// loses its last field and a line that ends inside quotes loses the field that is open. A
// field holding a double quote is unquoted (into scratch): each non-overlapping pair of
// double quotes becomes one, then a leading and a trailing double quote are dropped.
template <typename Char, typename OnField>
int SplitLogLine(std::basic_string_view<Char> line, bool lineFeed, std::basic_string<Char>& scratch,
                 OnField&& onField) {
    if (std::size_t nul = line.find(Char(0)); nul != line.npos) {
        line = line.substr(0, nul);
        lineFeed = false;
    }
    int count = 0;
    std::size_t start = 0;
    bool inQuotes = false;
    bool quoted = false;
    auto field = [&](std::size_t end) {
        std::basic_string_view<Char> text = line.substr(start, end - start);
        if (quoted) {
            scratch.clear();
            for (std::size_t i = 0; i < text.size(); ++i) {
                scratch += text[i];
                if (text[i] == Char('"') && i + 1 < text.size() && text[i + 1] == Char('"')) ++i;
            }
            if (!scratch.empty() && scratch.front() == Char('"')) scratch.erase(0, 1);
            if (!scratch.empty() && scratch.back() == Char('"')) scratch.pop_back();
            text = scratch;
        }
        return onField(count++, text);
    };
    for (std::size_t i = 0; i < line.size(); ++i) {
        Char ch = line[i];
        if (ch == Char('"')) {
            inQuotes = !inQuotes;
            quoted = true;
        } else if ((ch == Char(',') || ch == Char('\n')) && !inQuotes) {
            if (!field(i)) return count;
            start = i + 1;
            quoted = false;
        }
    }
    if (lineFeed && !inQuotes) field(line.size());
    return count;
}

}  // namespace zintor
