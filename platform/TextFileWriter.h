// Writing a text file as the text streams of the system write it: characters encoded in a
// given encoding and every line feed written as CR LF. The file is replaced only when it
// has been written completely.
#pragma once

#include <string>
#include <string_view>

#include "platform/AtomicFileWriter.h"
#include "platform/Failure.h"
#include "platform/TextCodec.h"

namespace zintor {

class TextFileWriter {
  public:
    explicit TextFileWriter(TextEncoding encoding) : encoding_(encoding) {}

    Failure Open(const std::string& path);
    // Nothing more is written once a write failed; Commit then reports that failure.
    void Write(std::u16string_view text);
    // Bytes already in the file's encoding (line feeds as CR LF), written as they are.
    void WriteBytes(std::string_view bytes);
    // Writes what is buffered and puts the file in place.
    Failure Commit();
    // After Open: the modification time the file is put in place with.
    void SetModificationTime(const struct timespec& time) { file_.SetModificationTime(time); }

  private:
    void Flush();

    TextEncoding encoding_;
    AtomicFileWriter file_;
    std::string buffer_;
    Failure failure_;  // the first write that failed
};

}  // namespace zintor
