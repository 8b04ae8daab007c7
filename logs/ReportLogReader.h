// Reading a report log file into the LogTable.
#pragma once

#include <string>
#include <string_view>

#include "logs/LogTable.h"
#include "platform/TextCodec.h"

namespace zintor {

// The name test of a report log: the whole path contains "vorlix_report" and ".log"
// (letter case counts).
bool HasReportLogName(std::string_view path);

// Reads the data lines of the file at path into table, at most 65,535 of them. Returns 1
// when the file was read (also when it held no data line) and 0 otherwise: the name test
// failed (the table is left as it was), or the file is missing, cannot be opened or could
// not be read to its end (the table is left empty). error receives the reason of a 0.
int ReadReportLogFile(const std::string& path, TextEncoding encoding, LogTable& table, std::string* error);

}  // namespace zintor
