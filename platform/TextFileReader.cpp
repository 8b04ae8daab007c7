// Line reader over a file descriptor with a growing byte window.
#include "platform/TextFileReader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/RegularFile.h"

namespace zintor {
namespace {
constexpr std::size_t kChunk = 64 * 1024;
// Read size once the file's size has been read: enough to see the end, or what was added since.
constexpr std::size_t kPastSize = 512;
constexpr char kEndOfText = 0x1A;
}  // namespace

TextFileReader::~TextFileReader() { Close(); }

Failure TextFileReader::Open(const std::string& path) {
    Close();
    path_ = path;
    atEnd_ = false;
    skipRest_ = false;
    buffer_.clear();
    start_ = 0;
    fileSize_ = 0;
    bytesRead_ = 0;
    struct stat st;
    failure_ = OpenRegularFile(path, fd_, &st);
    if (!failure_) fileSize_ = static_cast<std::size_t>(st.st_size);
    return failure_;
}

void TextFileReader::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool TextFileReader::Fill() {
    if (atEnd_ || fd_ < 0) return false;
    if (start_ > 0) {  // drop what was taken before growing the window
        buffer_.erase(0, start_);
        start_ = 0;
    }
    std::size_t old = buffer_.size();
    std::size_t want = NextReadSize();
    buffer_.resize(old + want);
    ssize_t n = ReadSome(fd_, buffer_.data() + old, want);
    if (n <= 0) {
        buffer_.resize(old);
        if (n < 0) failure_ = {Failure::kRead, path_, errno};
        atEnd_ = true;
        return false;
    }
    buffer_.resize(old + static_cast<std::size_t>(n));
    bytesRead_ += static_cast<std::size_t>(n);
    if (const void* eot =
            std::memchr(buffer_.data() + old, kEndOfText, static_cast<std::size_t>(n))) {
        buffer_.resize(static_cast<std::size_t>(static_cast<const char*>(eot) - buffer_.data()));
        atEnd_ = true;
    }
    return true;
}

// Reads go in steps of 64 KiB, but never more than the rest of the file as it was when opened:
// a template of a few kilobytes then takes a buffer of its own size rather
// than a zeroed 64 KiB one on every read.
std::size_t TextFileReader::NextReadSize() const {
    if (fileSize_ == 0) return kChunk;  // empty when opened: what was added since
    if (bytesRead_ < fileSize_) return std::min(kChunk, fileSize_ - bytesRead_);
    return kPastSize;
}

// Bytes are dropped as they are read; a hole of the file (zeros: no line feed, no 0x1A) is
// stepped over without reading it.
bool TextFileReader::SkipRestOfLine() {
    for (;;) {
        const void* lf = std::memchr(buffer_.data() + start_, '\n', buffer_.size() - start_);
        if (lf) {
            start_ = static_cast<std::size_t>(static_cast<const char*>(lf) - buffer_.data()) + 1;
            skipRest_ = false;
            return true;
        }
        start_ = buffer_.size();
        if (atEnd_ || fd_ < 0) return false;
        auto at = static_cast<off_t>(bytesRead_);
        if (!SkipHole(fd_, at)) atEnd_ = true;  // a hole to the end of the file
        bytesRead_ = static_cast<std::size_t>(at);
        if (!Fill()) return false;
    }
}

bool TextFileReader::ReadRawLine(std::string_view& bytes, bool& endsWithLineFeed) {
    bytes = {};
    endsWithLineFeed = false;
    if (Failed() || (skipRest_ && !SkipRestOfLine())) return false;
    std::size_t searched = start_;
    for (;;) {
        const char* base = buffer_.data();
        const void* lf = std::memchr(base + searched, '\n', buffer_.size() - searched);
        std::size_t lineEnd =
            lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - base) : buffer_.size();
        if (const void* nul = std::memchr(base + searched, '\0', lineEnd - searched)) {
            std::size_t end = static_cast<std::size_t>(static_cast<const char*>(nul) - base) + 1;
            bytes = std::string_view(base + start_, end - start_);
            start_ = end;
            skipRest_ = true;
            return true;
        }
        if (lf) {
            std::size_t end = lineEnd;
            std::size_t textEnd = end;
            if (textEnd > start_ && base[textEnd - 1] == '\r') --textEnd;  // CR LF reads as LF
            bytes = std::string_view(base + start_, textEnd - start_);
            endsWithLineFeed = true;
            start_ = end + 1;
            return true;
        }
        std::size_t pending = buffer_.size() - start_;
        if (!Fill()) {
            if (Failed() || buffer_.size() == start_) return false;
            bytes = std::string_view(buffer_.data() + start_, buffer_.size() - start_);
            start_ = buffer_.size();
            return true;
        }
        searched = start_ + pending;  // Fill moved the window: start_ is 0 now
    }
}

bool TextFileReader::ReadLine(std::u16string& line) {
    line.clear();
    std::string_view bytes;
    bool lineFeed;
    if (!ReadRawLine(bytes, lineFeed)) return false;
    DecodeAppend(encoding_, bytes, line);
    if (lineFeed) line += u'\n';
    return true;
}

}  // namespace zintor
