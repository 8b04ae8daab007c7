// The report-log reader: name test, line loop, row limit.
#include "logs/ReportLogReader.h"

#include <unistd.h>

#include <cstdint>
#include <limits>
#include <new>

#include "logs/LogLineParser.h"
#include "platform/TextFileReader.h"

namespace zintor {

bool HasReportLogName(std::string_view path) {
    return path.find("vorlix_report") != std::string_view::npos && path.find(".log") != std::string_view::npos;
}

int ReadReportLogFile(const std::string& path, TextEncoding encoding, LogTable& table, std::string* error) {
    auto fail = [&](const std::string& why) {
        table.Clear();
        if (error) *error = "cannot read " + path + ": " + why;
        return 0;
    };
    if (!HasReportLogName(path)) {
        if (error) *error = "not a report log (its name must contain \"vorlix_report\" and \".log\"): " + path;
        return 0;
    }
    table.Clear();
    if (::access(path.c_str(), F_OK) != 0) return fail("No such file or directory");
    try {
        TextFileReader reader(encoding);
        if (!reader.Open(path)) return fail(reader.ErrorText());
        std::u16string line;
        // Field offsets are 32-bit: a log whose text would not fit them is refused.
        constexpr std::size_t kMaxText = std::numeric_limits<std::uint32_t>::max();
        while (!table.Full() && reader.ReadLine(line)) {
            if (IsLogCommentLine(line)) continue;
            if (table.TextForAppend().size() + line.size() > kMaxText) return fail("the log is too large");
            AppendLogRow(line, table);
        }
        if (reader.Failed()) return fail(reader.ErrorText());
    } catch (const std::bad_alloc&) {
        return fail("not enough memory");
    }
    return 1;
}

}  // namespace zintor
