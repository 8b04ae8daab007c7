// The report-log reader: name test, line loop, row limit.
#include "logs/ReportLogReader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>

#include "logs/LogLineParser.h"
#include "platform/MappedFile.h"

namespace zintor {

namespace {

constexpr char kEndOfText = 0x1A;

bool IsAscii(std::string_view bytes) {
    for (char b : bytes)
        if (static_cast<unsigned char>(b) >= 0x80) return false;
    return true;
}

}  // namespace

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
    if (::access(path.c_str(), F_OK) != 0) return fail(std::strerror(errno));
    try {
        auto file = std::make_unique<MappedFile>();
        if (!file->Open(path)) return fail(file->ErrorText());
        std::string_view bytes = file->Bytes();
        // The input ends at the first 0x1A byte. It is looked for a window at a time ahead of
        // the line being read, so that a long tail after the last row is never touched.
        std::size_t end = bytes.size();
        std::size_t searchedTo = 0;
        std::size_t pos = 0;
        std::u16string decoded;
        const char* base = bytes.data();
        while (!table.Full() && pos < end) {
            const void* lfAt = std::memchr(base + pos, '\n', end - pos);
            std::size_t lineEnd = lfAt ? static_cast<std::size_t>(static_cast<const char*>(lfAt) - base) : end;
            bool lineFeed = lfAt != nullptr;
            while (searchedTo <= lineEnd && searchedTo < end) {
                std::size_t window = std::min(end - searchedTo, std::max<std::size_t>(lineEnd + 1 - searchedTo, 1 << 16));
                if (const void* eot = std::memchr(base + searchedTo, kEndOfText, window)) {
                    end = static_cast<std::size_t>(static_cast<const char*>(eot) - base);
                    if (end <= lineEnd) {
                        lineEnd = end;
                        lineFeed = false;
                    }
                }
                searchedTo += window;
            }
            std::size_t textEnd = lineFeed && lineEnd > pos && base[lineEnd - 1] == '\r' ? lineEnd - 1 : lineEnd;
            std::string_view text(base + pos, textEnd - pos);
            std::size_t start = pos;
            pos = lineEnd + 1;
            if (text.empty() && !lineFeed) break;
            if (encoding == TextEncoding::Latin1 || IsAscii(text)) {
                // Each byte is one character: the row stays in the file's bytes.
                if (IsLogCommentStart(text.empty() ? u'\n' : CharOf(text.front()))) continue;
                if (!table.AddNarrowRow(start)) return fail("the log is too large");
            } else {
                decoded.clear();
                DecodeAppend(encoding, text, decoded);
                if (IsLogCommentStart(decoded.front())) continue;
                if (!table.AddWideRow(decoded, lineFeed)) return fail("the log is too large");
            }
        }
        table.SetNarrowSource(std::move(file), end);
        if (table.SourceChanged()) return fail("the file changed while it was read");
    } catch (const std::bad_alloc&) {
        return fail("not enough memory");
    }
    return 1;
}

}  // namespace zintor
