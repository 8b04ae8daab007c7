// Writing a text file as the text streams of the system write it: characters encoded in a
// given encoding and every line feed written as CR LF. The file is replaced only when it
// has been written completely.
#pragma once

#include <string>
#include <string_view>

#include "platform/AtomicFileWriter.h"
#include "platform/TextCodec.h"

namespace zintor {

class TextFileWriter {
public:
    explicit TextFileWriter(TextEncoding encoding) : encoding_(encoding) {}

    bool Open(const std::string& path);
    // False once anything failed; later writes do nothing.
    bool Write(std::u16string_view text);
    // Writes what is buffered and puts the file in place.
    bool Commit();
    void Abandon();

    bool Failed() const { return failed_; }
    const std::string& ErrorText() const { return file_.ErrorText(); }

private:
    bool Flush();

    TextEncoding encoding_;
    AtomicFileWriter file_;
    std::string buffer_;
    bool failed_ = false;
};

}  // namespace zintor
