// The parsed report log: up to 65,535 rows of text fields.
//
// The table keeps the log's bytes as the file holds them (mapped, not copied) and where each
// data line starts; a row is split into its fields when they are read. Lines that need
// decoding (code page 932 text beyond ASCII) are kept decoded, in UTF-16. So a log of 65,535
// rows costs the table little more than 256 KB of its own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "logs/LogLineParser.h"

namespace zintor {

class MappedFile;

class LogTable {
public:
    static constexpr int kCapacity = 65535;

    LogTable();
    virtual ~LogTable();
    LogTable(const LogTable&) = delete;
    LogTable& operator=(const LogTable&) = delete;

    // Empties every row and lets go of the log's bytes.
    void Clear();

    int RowCount() const { return static_cast<int>(rows_.size()); }
    int FieldCount(int row) const;

    // The text of a field; empty when the row or the column does not exist.
    std::u16string Field(int row, int column) const;

    // Calls visit(column, text) for the fields 0 .. maxFields - 1 of a row that exist, in
    // column order. text is a std::string_view of characters U+0000..U+00FF, one byte each,
    // or a std::u16string_view; it is valid during the call.
    template <typename Visitor>
    void VisitFields(int row, int maxFields, Visitor&& visit) const {
        if (row < 0 || row >= RowCount()) return;
        std::uint32_t at = rows_[static_cast<std::size_t>(row)];
        auto limited = [&](int column, auto text) {
            if (column >= maxFields) return false;
            visit(column, text);
            return column + 1 < maxFields;
        };
        // Narrow rows are the file's bytes, where a CR before the line feed is still there;
        // wide rows were stored without it.
        if (at & kWide)
            SplitLogLineUntilLineFeed(std::u16string_view(wideText_).substr(at & ~kWide), false, wideScratch_, limited);
        else
            SplitLogLineUntilLineFeed(narrowText_.substr(at), true, narrowScratch_, limited);
    }

    // The log's bytes from a row's start on (the row ends at its line feed, a CR before that
    // included), for readers with a one-pass scan of their own; false for a decoded row.
    bool NarrowRowText(int row, std::string_view& text) const {
        if (row < 0 || row >= RowCount()) return false;
        std::uint32_t at = rows_[static_cast<std::size_t>(row)];
        if (at & kWide) return false;
        text = narrowText_.substr(at);
        return true;
    }

    bool Full() const { return RowCount() >= kCapacity; }

    // Building, for the reader. The log's bytes (one byte a character), of which only the part
    // before `end` counts; rows are then added by where their line starts in them.
    void SetNarrowSource(std::unique_ptr<MappedFile> file, std::size_t end);
    std::string_view NarrowSource() const { return narrowText_; }
    // False when the row's line cannot be addressed (a log beyond 2 GB).
    bool AddNarrowRow(std::size_t lineStart);
    // A decoded line; lineFeed when it ended in one.
    bool AddWideRow(std::u16string_view line, bool lineFeed);
    // True when the log's file shrank while the table held it: the rows cannot be trusted.
    bool SourceChanged() const;
    // True when path names the log file the rows come from.
    bool IsSourceFile(const std::string& path) const;

private:
    static constexpr std::uint32_t kWide = 0x80000000u;  // the row lives in wideText_

    std::unique_ptr<MappedFile> file_;
    std::string_view narrowText_;
    std::u16string wideText_;           // decoded lines, each with its line feed
    std::vector<std::uint32_t> rows_;   // where each row's line starts
    mutable std::string narrowScratch_;  // unquoted field text while a row is visited
    mutable std::u16string wideScratch_;
};

}  // namespace zintor
