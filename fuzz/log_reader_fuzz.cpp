// Fuzz target: the report-log reader. The bytes become a log file, which is read into a
// LogTable both ways, mapped and in steps; every field of every row is then read back and
// compared with what the plain line-by-line reading of the same file gives, and the rows are
// added up.
//
// The first byte chooses the encoding (bit 0: code page 932) and, when bits 1 to 3 are all
// set, puts a long comment line first, so that the rows straddle the 64 KiB reads of the
// reader; the second byte moves that boundary.
#include <cstdint>
#include <cstring>
#include <iterator>
#include <numeric>
#include <string>

#include "app/FailureText.h"
#include "fuzz/FuzzSupport.h"
#include "logs/LogLineParser.h"
#include "logs/LogTable.h"
#include "logs/ReportLogReader.h"
#include "platform/TextFileReader.h"
#include "report/LogRow.h"
#include "report/MonthFigures.h"

namespace {

using namespace zintor;

// The rows as the plain reader sees them: each line read and decoded on its own, comment
// lines skipped, the rest split into fields.
std::vector<std::vector<std::u16string>> PlainRows(const std::string& path, TextEncoding encoding) {
    std::vector<std::vector<std::u16string>> rows;
    static TextFileReader readers[2] = {TextFileReader(TextEncoding::Latin1),
                                        TextFileReader(TextEncoding::Cp932)};
    TextFileReader& reader =
        readers[encoding == TextEncoding::Cp932];  // kept: its buffer is reused
    fuzz::Check(!reader.Open(path), "plain reader cannot open", path);
    static std::u16string line, scratch;
    while (rows.size() < LogTable::kCapacity && reader.ReadLine(line)) {
        if (IsLogCommentStart(line.front())) continue;
        auto& row = rows.emplace_back();
        SplitLogLine(std::u16string_view(line), false, scratch, [&](int, std::u16string_view text) {
            row.emplace_back(text);
            return true;
        });
    }
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    TextEncoding encoding = data[0] & 1 ? TextEncoding::Cp932 : TextEncoding::Latin1;
    std::string bytes;
    if ((data[0] & 0x0E) == 0x0E) {
        std::size_t pad = 65536 - 200 + data[1];
        bytes = "#" + std::string(pad - 2, 'x') + "\n";
    }
    bytes.append(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::string path = fuzz::ScratchPath("vorlix_report2024.log");
    test::WriteFile(path, bytes);

    auto plain = PlainRows(path, encoding);
    static LogTable table;
    for (std::size_t mapAtMost : {kMappedLogAtMost, std::size_t{0}}) {
        const std::string way = mapAtMost ? "mapped" : "in steps";
        static MonthFigures added;
        MonthAdder adder(added);
        Failure failure = ReadReportLogFile(path, encoding, table, mapAtMost, &adder);
        fuzz::Check(!failure, "a readable log was not read:", way + ": " + FailureText(failure));
        fuzz::Check(table.RowCount() == static_cast<int>(plain.size()),
                    "row count differs from the plain reading", way);
        for (int row = 0; row < table.RowCount(); ++row) {
            const auto& expected = plain[static_cast<std::size_t>(row)];
            int count = table.FieldCount(row);
            fuzz::Check(count == static_cast<int>(expected.size()), "field count differs",
                        way + " " + std::to_string(row));
            for (int column = 0; column < count; ++column)
                fuzz::Check(table.Field(row, column) == expected[static_cast<std::size_t>(column)],
                            "field differs",
                            way + " " + std::to_string(row) + "," + std::to_string(column));
            fuzz::Check(table.Field(row, count).empty(), "a field past the row's end is not empty");
            LogRow decoded = DecodeLogRow(table, row);
            if (decoded.usable)
                fuzz::Check(decoded.month >= 1 && decoded.month <= 12 && decoded.weekday >= 0 &&
                                decoded.weekday <= 6,
                            "a usable row out of range");
        }
        fuzz::Check(table.Field(-1, 0).empty() && table.Field(table.RowCount(), 0).empty(),
                    "a missing row has text");

        static MonthFigures figures;
        AddUpLogTable(table, figures);
        fuzz::Check(figures.usableRows <= table.RowCount() && figures.rowsRead == table.RowCount(),
                    "more usable rows than rows, or rows not counted");
        auto sum = [](const auto& values) {
            return std::accumulate(std::begin(values), std::end(values), std::int64_t{0});
        };
        fuzz::Check(sum(figures.daySend) == figures.monthSend &&
                        sum(figures.hourSend) == figures.monthSend &&
                        sum(figures.weekdaySend) == figures.monthSend &&
                        sum(figures.dayRecv) == figures.monthRecv &&
                        sum(figures.hourRecv) == figures.monthRecv &&
                        sum(figures.weekdayRecv) == figures.monthRecv &&
                        sum(figures.hourCapture) == figures.monthCapture &&
                        sum(figures.weekdayCapture) == figures.monthCapture,
                    "the month totals disagree");
        // Added up while reading, the rows give what adding up the table gives.
        fuzz::Check(std::memcmp(&added, &figures, sizeof figures) == 0,
                    "figures added while reading differ from the table's", way);
    }
    table.Clear();
    return 0;
}
