// Encoded, buffered writing into an AtomicFileWriter.
#include "platform/TextFileWriter.h"

namespace zintor {
namespace {
constexpr std::size_t kFlushAt = 64 * 1024;
}

Failure TextFileWriter::Open(const std::string& path) {
    buffer_.clear();
    failure_ = file_.Open(path);
    return failure_;
}

void TextFileWriter::Flush() {
    if (!failure_ && !buffer_.empty()) failure_ = file_.Write(buffer_);
    buffer_.clear();
}

void TextFileWriter::Write(std::u16string_view text) {
    if (failure_) return;
    EncodeLinesAppend(encoding_, text, buffer_);
    if (buffer_.size() >= kFlushAt) Flush();
}

void TextFileWriter::WriteBytes(std::string_view bytes) {
    if (failure_) return;
    if (bytes.size() >= kFlushAt) {
        // A large piece goes to the file as it is, not through a copy in the buffer.
        Flush();
        if (!failure_) failure_ = file_.Write(bytes);
        return;
    }
    buffer_.append(bytes);
    if (buffer_.size() >= kFlushAt) Flush();
}

Failure TextFileWriter::Commit() {
    Flush();
    if (!failure_) failure_ = file_.Commit(/*durable=*/false);
    return failure_;
}

}  // namespace zintor
