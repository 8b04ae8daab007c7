// The numbers of a data row read straight from its bytes, without splitting it into fields:
// the way the reader adds up the rows of a log as it finds them.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/AsciiText.h"

namespace zintor {

// The byte that ends a log's input wherever it lies.
constexpr char kEndOfText = 0x1A;

template <typename Char>
constexpr bool IsLogBlank(Char ch) {
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

// The first four numbers of a row in one pass over its bytes (text runs from the row's start
// on, the row ends at its line feed), exactly as splitting the row and reading each field
// give them (date and time as ParseWrappingInt32 reads them, the two counts as ParseLogCount); a
// field the row does not have reads 0. False, with numbers unfinished, when a double quote or a NUL
// comes before the fourth field ends: the field split must decide such rows.
bool ScanRowNumbers(std::string_view text, std::int64_t numbers[4]);

// A plain data row at the start of text: it begins with a digit, ends with a line feed within
// text, and holds no NUL and no end-of-text byte, nor a double quote before its fourth field
// ends. Its numbers go to
// numbers as ScanRowNumbers reads them, and the result is its length with the line feed; 0
// when the row is not plain (the general reading decides it then).
// usual is set to whether the row has the usual shape: four fields of digits
// alone ended by LF or CR LF, so ASCII text throughout.
std::size_t ScanPlainRow(std::string_view text, std::int64_t numbers[4], bool& usual);

// True when every byte is below 0x80; eight bytes are tested at a time.
bool IsAsciiText(std::string_view bytes);

}  // namespace zintor
