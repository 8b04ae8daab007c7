// Reading a report log file into the LogTable.
#pragma once

#include <string>
#include <string_view>

#include "logs/LogTable.h"
#include "platform/Failure.h"
#include "platform/TextCodec.h"

namespace zintor {

// The name test of a report log: the whole path contains "vorlix_report" and ".log"
// (letter case counts).
bool HasReportLogName(std::string_view path);

// A log of up to this many bytes is mapped and its rows kept where they lie; a larger one is
// read in steps and only its rows kept (a month of rows, one a second, is some 80 MB).
constexpr std::size_t kMappedLogAtMost = 64u << 20;

// Reads the data lines of the file at path into table, at most 65,535 of them (also none).
// A failure when the name test failed (the table is left as it was), or the file is missing,
// is not a regular file, cannot be opened or could not be read to its end (the table is left
// empty). mapAtMost other than kMappedLogAtMost is for tests of both ways.
Failure ReadReportLogFile(const std::string& path, TextEncoding encoding, LogTable& table,
                          std::size_t mapAtMost = kMappedLogAtMost);

}  // namespace zintor
