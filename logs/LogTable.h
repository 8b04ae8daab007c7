// The parsed report log: up to 65,535 rows of text fields.
//
// The table keeps where each data line starts in the log's bytes as the file holds them, and
// splits a row into its fields when they are read. The bytes are the mapped log itself (not
// copied) when the log is of an ordinary size; the data lines of a larger one are copied, one
// after the other, so that no more than the bytes of its rows are held. Lines that need
// decoding (code page 932 text beyond ASCII) are kept decoded, in UTF-16. So a log of 65,535
// rows costs the table little more than 256 KB of its own.
#pragma once

#include <cstdint>
#include <ctime>
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
    ~LogTable();
    LogTable(const LogTable&) = delete;
    LogTable& operator=(const LogTable&) = delete;

    // Empties every row and lets go of the rows' bytes.
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
            SplitLogLine(std::u16string_view(wideText_).substr(at & ~kWide), false, wideScratch_,
                         limited);
        else
            SplitLogLine(NarrowText().substr(at), true, narrowScratch_, limited);
    }

    // The rows' bytes from a row's start on (the row ends at its line feed, a CR before that
    // included, or at a NUL), for readers with a one-pass scan of their own; false for a
    // decoded row.
    bool NarrowRowText(int row, std::string_view& text) const {
        if (row < 0 || row >= RowCount()) return false;
        std::uint32_t at = rows_[static_cast<std::size_t>(row)];
        if (at & kWide) return false;
        text = NarrowText().substr(at);
        return true;
    }

    bool Full() const { return RowCount() >= kCapacity; }

    // Building, for the reader. The mapped log: its lines are then kept in place rather than
    // copied. Only its part before `end` counts once the rows are read.
    void UseMappedLog(std::unique_ptr<MappedFile> file);
    std::string_view MappedLog() const { return mappedText_; }
    void EndMappedLogAt(std::size_t end) { mappedText_ = mappedText_.substr(0, end); }
    // The mapped log's bytes before offset have been read through: their memory is let go
    // (a row read later brings its page back from the file).
    void ReleaseMappedLogBefore(std::size_t offset);
    // The mapped log's bytes from offset on, length of them, are about to be read through.
    void PrepareMappedLog(std::size_t offset, std::size_t length);
    // A line of one byte a character as the file holds it (a CR before its line feed
    // included), or a decoded line without its CR; lineFeed when it ended in one. A line of
    // the mapped log is kept where it lies; any other is copied. False when the rows' bytes
    // would pass 2 GB: the row cannot be addressed.
    bool AddNarrowRow(std::string_view line, bool lineFeed) {
        if (!file_) return AddCopiedRow(line, lineFeed);
        auto at = reinterpret_cast<std::uintptr_t>(line.data()) -
                  reinterpret_cast<std::uintptr_t>(mappedText_.data());
        if (at + line.size() > mappedText_.size() || at >= kWide)
            return false;  // not a line of the log
        rows_.push_back(static_cast<std::uint32_t>(at));
        return true;
    }
    bool AddWideRow(std::u16string_view line, bool lineFeed);
    void ReserveNarrowText(std::size_t bytes) { narrowText_.reserve(bytes); }
    // True when the log's file shrank while the table held it mapped: the rows cannot be
    // trusted.
    bool SourceChanged() const;
    // The file the rows come from, by its device and inode numbers, and the modification time
    // it had when it was opened to be read.
    void SetSourceFile(std::uint64_t device, std::uint64_t inode, const struct timespec& modified);
    // That modification time; null when the rows come from no file.
    const struct timespec* SourceModified() const { return hasSource_ ? &modified_ : nullptr; }
    // True when path names the log file the rows come from.
    bool IsSourceFile(const std::string& path) const;

  private:
    static constexpr std::uint32_t kWide = 0x80000000u;  // the row lives in wideText_

    bool AddCopiedRow(std::string_view line, bool lineFeed);

    std::string_view NarrowText() const {
        return file_ ? mappedText_ : std::string_view(narrowText_);
    }

    std::unique_ptr<MappedFile> file_;
    std::string_view mappedText_;  // the mapped log up to its end, when rows lie in it
    std::string narrowText_;       // copied lines of one byte a character, each with its line feed
    std::u16string wideText_;      // decoded lines, each with its line feed
    std::uint64_t device_ = 0, inode_ = 0;
    struct timespec modified_ = {};
    bool hasSource_ = false;
    std::vector<std::uint32_t> rows_;    // where each row's line starts
    mutable std::string narrowScratch_;  // unquoted field text while a row is visited
    mutable std::u16string wideScratch_;
};

}  // namespace zintor
