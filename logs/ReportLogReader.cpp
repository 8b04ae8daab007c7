// The report-log reader: name test, the file's lines from start to end, row limit.
#include "logs/ReportLogReader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <new>

#include "logs/LogLineParser.h"
#include "logs/PlainRow.h"
#include "platform/MappedFile.h"
#include "platform/RegularFile.h"

namespace zintor {

namespace {

constexpr std::size_t kReadSize = 64 * 1024;
// Room kept for the copied rows at the start: a whole log of 65,535 rows fits, a larger file
// takes no more up front.
constexpr std::size_t kReserveAtMost = 4u << 20;
// The bytes the rows of one log may take: 65,535 rows of 1 KB. Traffic rows take some 30 bytes;
// a log whose rows need more (a line of gigabytes without a line break, a NUL or an end of
// text) is refused rather than held.
constexpr std::size_t kMaxRowBytes = 64u << 20;

// Reads a log's lines and keeps its data lines in the table, from the mapped log or from the
// file read in steps. Read in steps, only what a row needs is held: a comment line is passed
// over as it is read, however long; a data line is kept up to its first NUL, after which
// nothing of it is seen. So a log of any size takes no more memory than the bytes of the rows
// it gives, and the holes of a sparse file (zeros, which start or cut a line) are stepped over
// rather than read.
class LogLineScanner {
  public:
    LogLineScanner(int fd, TextEncoding encoding, LogTable& table, LogRowSink* sink)
        : fd_(fd), encoding_(encoding), table_(table), sink_(sink) {}

    // False when reading failed (Why says why); the table then holds what was read. end
    // receives where the mapped log's input ends (its first 0x1A byte, or its size).
    bool ScanMapped(std::string_view bytes, std::size_t& end);
    bool ReadInSteps();
    int Why() const { return why_; }  // an errno value or a Failure::Reason

  private:
    // The lines of the next bytes of the input (the last ones when last); the last line of
    // the input when it was not given as last.
    bool Take(std::string_view bytes, bool last);
    bool Finish();
    // Bytes of the current line, without its line feed; ends when the line ends after them.
    bool Piece(std::string_view piece, bool ends, bool lineFeed);
    bool IsCommentStart(std::string_view firstBytes) const;
    bool AddRow(std::string_view line, bool lineFeed);
    // The plain row at the start of bytes, when there is one at a line's start: its length
    // with the line feed, else 0.
    std::size_t TakePlainRow(std::string_view bytes);

    int fd_;
    TextEncoding encoding_;
    LogTable& table_;
    LogRowSink* sink_;
    off_t offset_ = 0;
    std::size_t rowBytes_ = 0;  // the bytes of the rows stored so far
    std::string pending_;       // the current line's bytes so far, when it straddles two reads
    bool isData_ = false;       // the current line is known to be a data line
    bool skipping_ = false;     // in the rest of a comment line, or of a data line after its NUL
    std::u16string decoded_;
    int why_ = 0;
};

bool LogLineScanner::IsCommentStart(std::string_view firstBytes) const {
    if (firstBytes.empty()) return true;  // the line feed of an empty line
    if (encoding_ == TextEncoding::Latin1 || static_cast<unsigned char>(firstBytes.front()) < 0x80)
        return IsLogCommentStart(CharOf(firstBytes.front()));
    std::u16string first;  // a character of code page 932 takes one or two bytes
    DecodeAppend(encoding_, firstBytes.substr(0, 2), first);
    return IsLogCommentStart(first.front());
}

// The table's own limit (2 GB of rows) lies beyond the reader's.
bool LogLineScanner::AddRow(std::string_view line, bool lineFeed) {
    rowBytes_ += line.size();
    std::string_view text = line;
    if (lineFeed && !text.empty() && text.back() == '\r')
        text.remove_suffix(1);  // CR LF reads as LF
    bool added = rowBytes_ <= kMaxRowBytes;
    if (added && (encoding_ == TextEncoding::Latin1 || IsAsciiText(text))) {
        // Each byte is one character: the row stays in the file's bytes.
        added = table_.AddNarrowRow(line, lineFeed);
    } else if (added) {
        decoded_.clear();
        DecodeAppend(encoding_, text, decoded_);
        added = table_.AddWideRow(decoded_, lineFeed);
    }
    if (!added) {
        why_ = Failure::kRowsTooLarge;
        return false;
    }
    if (sink_) sink_->RowAdded(table_, table_.RowCount() - 1, nullptr);
    return true;
}

// A plain row is kept and handed on with its numbers read on the way; one that needs decoding
// (code page 932 text beyond ASCII) or a larger budget than is left goes the general way.
std::size_t LogLineScanner::TakePlainRow(std::string_view bytes) {
    if (isData_ || skipping_ || !pending_.empty()) return 0;  // not at a line's start
    std::int64_t numbers[4];
    bool usual;
    std::size_t size = ScanPlainRow(bytes, numbers, usual);
    if (size == 0 || rowBytes_ + size - 1 > kMaxRowBytes) return 0;
    std::string_view line = bytes.substr(0, size - 1);
    if (encoding_ != TextEncoding::Latin1 && !usual && !IsAsciiText(line)) return 0;
    if (!table_.AddNarrowRow(line, true)) return 0;
    rowBytes_ += line.size();
    if (sink_) sink_->RowAdded(table_, table_.RowCount() - 1, numbers);
    return size;
}

bool LogLineScanner::Piece(std::string_view piece, bool ends, bool lineFeed) {
    if (skipping_) {
        skipping_ = !ends;
        return true;
    }
    if (!isData_) {
        // The first character decides, and it may take two bytes.
        if (pending_.size() + piece.size() < 2 && !ends) {
            pending_ += piece;
            return true;
        }
        char head[2];
        std::size_t headSize = 0;
        for (std::string_view part : {std::string_view(pending_), piece})
            for (std::size_t i = 0; i < part.size() && headSize < 2; ++i)
                head[headSize++] = part[i];
        if (IsCommentStart(std::string_view(head, headSize))) {
            pending_.clear();
            skipping_ = !ends;
            return true;
        }
        isData_ = true;
    }
    // A data line is seen up to its first NUL, which ends it as far as its fields go.
    std::size_t nul = piece.find('\0');
    bool cut = nul != std::string_view::npos;
    if (cut) piece = piece.substr(0, nul + 1);
    if (!ends && !cut) {
        if (rowBytes_ + pending_.size() + piece.size() > kMaxRowBytes) {
            why_ = Failure::kRowsTooLarge;
            return false;
        }
        pending_ += piece;
        return true;
    }
    bool added;
    if (pending_.empty()) {
        added = AddRow(piece, lineFeed && !cut);
    } else {
        pending_ += piece;
        added = AddRow(pending_, lineFeed && !cut);
        pending_.clear();
    }
    isData_ = false;
    skipping_ = cut && !ends;
    return added;
}

bool LogLineScanner::Take(std::string_view bytes, bool last) {
    while (!bytes.empty() && !table_.Full()) {
        if (std::size_t plain = TakePlainRow(bytes)) {
            bytes.remove_prefix(plain);
            continue;
        }
        std::size_t lf = bytes.find('\n');
        bool lineFeed = lf != std::string_view::npos;
        if (!Piece(bytes.substr(0, lineFeed ? lf : bytes.size()), lineFeed || last, lineFeed))
            return false;
        bytes.remove_prefix(lineFeed ? lf + 1 : bytes.size());
    }
    return true;
}

bool LogLineScanner::Finish() {
    return table_.Full() || skipping_ || (!isData_ && pending_.empty()) || Piece({}, true, false);
}

// Plain rows are taken straight from the mapped bytes, in the pass that reads their numbers;
// any other line is looked for its end and an end-of-text byte first, and goes the general
// way. So the bytes after the 65,535th row are never touched and no line is split (a mapped
// row stays where it lies).
// The log's pages are mapped a step at a time ahead of the reading, and let go once read
// through: the run holds no more of the log than a step or two of it (it needs only the
// totals).
bool LogLineScanner::ScanMapped(std::string_view bytes, std::size_t& end) {
    constexpr std::size_t kReleaseStep = 256u << 10;
    end = bytes.size();
    std::size_t released = 0;
    table_.PrepareMappedLog(0, kReleaseStep);
    for (std::size_t pos = 0; pos < end && !table_.Full();) {
        if (pos - released >= kReleaseStep) {
            table_.ReleaseMappedLogBefore(pos);
            table_.PrepareMappedLog(pos, kReleaseStep);
            released = pos;
        }
        if (std::size_t plain = TakePlainRow(bytes.substr(pos))) {
            pos += plain;
            continue;
        }
        std::size_t lf = bytes.find('\n', pos);
        std::size_t stop = lf == std::string_view::npos ? end : lf + 1;
        std::size_t eot = bytes.substr(pos, stop - pos).find(kEndOfText);
        if (eot != std::string_view::npos) {
            // The input ends at its first 0x1A byte; before the line is added, so that a row
            // read as it is added (by the sink) does not run on past it.
            stop = end = pos + eot;
            table_.EndMappedLogAt(end);
        }
        if (!Take(bytes.substr(pos, stop - pos), stop == end)) return false;
        pos = stop;
    }
    return true;
}

bool LogLineScanner::ReadInSteps() {
    std::unique_ptr<char[]> buffer(new char[kReadSize]);
    while (!table_.Full()) {
        // While a line is passed over, a hole of the file (zeros: no line feed, no end-of-text
        // byte) is passed over too.
        if (skipping_ && !SkipHole(fd_, offset_)) break;
        ssize_t n = ReadSome(fd_, buffer.get(), kReadSize);
        if (n < 0) {
            why_ = errno;
            return false;
        }
        if (n == 0) break;
        offset_ += n;
        std::string_view chunk(buffer.get(), static_cast<std::size_t>(n));
        // The input ends at its first end-of-text byte.
        std::size_t eot = chunk.find(kEndOfText);
        if (!Take(chunk.substr(0, eot), false)) return false;
        if (eot != std::string_view::npos) break;
    }
    return Finish();
}

}  // namespace

Failure ReadReportLogFile(const std::string& path, TextEncoding encoding, LogTable& table,
                          std::size_t mapAtMost, LogRowSink* sink) {
    if (!HasReportLogName(path)) return {Failure::kNotAReportLog, path, 0};
    table.Clear();
    int fd;
    struct stat st;
    if (Failure failure = OpenRegularFile(path, fd, &st)) return failure;
    int why = 0;
    try {
        LogLineScanner scanner(fd, encoding, table, sink);
        auto size = static_cast<std::size_t>(st.st_size);
        auto file = std::make_unique<MappedFile>();
        bool read;
        if (size <= mapAtMost && file->Map(fd, size)) {
            table.UseMappedLog(std::move(file));
            std::size_t end;
            read = scanner.ScanMapped(table.MappedLog(), end);
            table.EndMappedLogAt(end);
        } else {
            table.ReserveNarrowText(std::min(size, kReserveAtMost));
            read = scanner.ReadInSteps();
        }
        if (!read) why = scanner.Why();
    } catch (const std::bad_alloc&) {
        why = Failure::kOutOfMemory;
    }
    ::close(fd);
    if (why == 0 && table.SourceChanged()) why = Failure::kFileChanged;
    if (why != 0) {
        table.Clear();
        return {Failure::kRead, path, why};
    }
    table.SetSourceFile(st.st_dev, st.st_ino, st.st_mtim);
    return {};
}

}  // namespace zintor
