// One line of a report log: comment lines, and the CSV fields of a data line.
#pragma once

#include <string_view>

#include "logs/LogTable.h"

namespace zintor {

// True for a line that is skipped: its first character is '!', '#' or ';', or has bits 4
// to 7 clear (an empty line, a tab, any control character below U+0010, U+3000, ...).
bool IsLogCommentLine(std::u16string_view line);

// Splits a data line (as read, its line feed included) into fields and appends them as the
// next row of the table. The line is taken up to its first NUL. A comma or line feed outside
// double quotes ends a field; text after the last of them is not a field. Quoted fields are
// unquoted. The caller makes sure the table is not full.
void AppendLogRow(std::u16string_view line, LogTable& table);

}  // namespace zintor
