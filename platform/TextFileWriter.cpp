// Encoded, buffered writing into an AtomicFileWriter.
#include "platform/TextFileWriter.h"

namespace zintor {
namespace {
constexpr std::size_t kFlushAt = 64 * 1024;
}

bool TextFileWriter::Open(const std::string& path) {
    buffer_.clear();
    failed_ = !file_.Open(path);
    return !failed_;
}

bool TextFileWriter::Flush() {
    if (!failed_ && !buffer_.empty()) failed_ = !file_.Write(buffer_);
    buffer_.clear();
    return !failed_;
}

bool TextFileWriter::Write(std::u16string_view text) {
    if (failed_) return false;
    EncodeLinesAppend(encoding_, text, buffer_);
    return buffer_.size() < kFlushAt || Flush();
}

bool TextFileWriter::Commit() {
    if (!Flush()) return false;
    failed_ = !file_.Commit(/*durable=*/false);
    return !failed_;
}

void TextFileWriter::Abandon() {
    buffer_.clear();
    file_.Abandon();
}

}  // namespace zintor
