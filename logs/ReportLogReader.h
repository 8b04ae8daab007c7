// Reading a report log file into the LogTable.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "logs/LogTable.h"
#include "logs/ReportLogName.h"
#include "platform/Failure.h"
#include "platform/TextCodec.h"

namespace zintor {

// A log of up to this many bytes is mapped and its rows kept where they lie; a larger one is
// read in steps and only its rows kept (a month of rows, one a second, is some 80 MB).
constexpr std::size_t kMappedLogAtMost = 64u << 20;

// Told of each data row as the reader adds it to the table, in the order of the log, so that
// the rows can be added up in the same pass that finds them.
class LogRowSink {
  public:
    // numbers holds the row's first four numbers when it was a plain row (read as
    // ScanRowNumbers reads them), nullptr when the row must be read from the table.
    virtual void RowAdded(const LogTable& table, int row, const std::int64_t* numbers) = 0;

  protected:
    ~LogRowSink() = default;
};

// Reads the data lines of the file at path into table, at most 65,535 of them (also none).
// A failure when the path fails HasReportLogName (the table is left as it was), or the file
// is missing, is not a regular file, cannot be opened or could not be read to its end (the
// table is left empty). mapAtMost other than kMappedLogAtMost is for tests of both ways. sink, when
// given, is told of every row added (also of those of a read that then fails).
Failure ReadReportLogFile(const std::string& path, TextEncoding encoding, LogTable& table,
                          std::size_t mapAtMost = kMappedLogAtMost, LogRowSink* sink = nullptr);

}  // namespace zintor
