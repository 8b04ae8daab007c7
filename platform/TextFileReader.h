// Reading a text file line by line as the text streams of the system read it: bytes decoded
// in a given encoding, CR LF read as LF, and a byte 0x1A ending the input. Its readers take a
// line only up to its first NUL, so a line ends there: the rest of it is passed over as it is
// read, never held, and the holes of a sparse file are stepped over.
#pragma once

#include <string>
#include <string_view>

#include "platform/Failure.h"
#include "platform/TextCodec.h"

namespace zintor {

class TextFileReader {
  public:
    explicit TextFileReader(TextEncoding encoding) : encoding_(encoding) {}
    ~TextFileReader();
    TextFileReader(const TextFileReader&) = delete;
    TextFileReader& operator=(const TextFileReader&) = delete;

    // Opens a regular file (or a link to one) for reading. A failure when it cannot be opened
    // or is anything else: a folder, a FIFO, a device.
    Failure Open(const std::string& path);

    // Reads the next line, its line feed included when it has one; a line holding a NUL ends
    // with that NUL, without a line feed. Lines are read whole up to there, however long.
    // False at the end of the input or after a read error (see Failed).
    bool ReadLine(std::u16string& line);

    // Why opening or reading failed; nothing while neither did.
    const Failure& Failed() const { return failure_; }

    void Close();

  private:
    // A line without decoding: its bytes without its line feed (a CR before the line feed
    // removed), valid until the next read, and whether a line feed ended it.
    bool ReadRawLine(std::string_view& bytes, bool& endsWithLineFeed);
    bool Fill();  // reads more bytes into buffer_; false at the end or on error
    std::size_t NextReadSize() const;  // bytes to ask for in the next read
    bool SkipRestOfLine();             // after a NUL: up to the next line feed; false at the end

    TextEncoding encoding_;
    std::string path_;
    int fd_ = -1;
    Failure failure_;
    bool atEnd_ = false;
    bool skipRest_ = false;      // the line before ended at a NUL: its rest is not seen
    std::string buffer_;         // bytes read and not yet taken
    std::size_t start_ = 0;      // first byte of buffer_ not yet taken
    std::size_t fileSize_ = 0;   // size of the file when opened; 0 when unknown
    std::size_t bytesRead_ = 0;  // bytes read from the file so far
};

}  // namespace zintor
