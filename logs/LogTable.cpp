// Row starts over the rows' bytes, fields split on demand.
#include "logs/LogTable.h"

#include <sys/stat.h>

#include "platform/MappedFile.h"

namespace zintor {

LogTable::LogTable() { rows_.reserve(kCapacity); }

LogTable::~LogTable() = default;

// The rows' text goes with them: a log of long lines read once does not keep its memory.
void LogTable::Clear() {
    rows_.clear();
    file_.reset();
    mappedText_ = {};
    std::string().swap(narrowText_);
    std::u16string().swap(wideText_);
    hasSource_ = false;
}

void LogTable::UseMappedLog(std::unique_ptr<MappedFile> file) {
    file_ = std::move(file);
    mappedText_ = file_ ? file_->Bytes() : std::string_view();
}

// A line of a log read in steps, or of a table built by hand.
bool LogTable::AddCopiedRow(std::string_view line, bool lineFeed) {
    if (narrowText_.size() + line.size() + 1 >= kWide) return false;
    rows_.push_back(static_cast<std::uint32_t>(narrowText_.size()));
    narrowText_ += line;
    if (lineFeed) narrowText_ += '\n';
    return true;
}

bool LogTable::AddWideRow(std::u16string_view line, bool lineFeed) {
    if (wideText_.size() + line.size() + 1 >= kWide) return false;
    rows_.push_back(static_cast<std::uint32_t>(wideText_.size()) | kWide);
    wideText_ += line;
    if (lineFeed) wideText_ += u'\n';
    return true;
}

void LogTable::ReleaseMappedLogBefore(std::size_t offset) {
    if (file_) file_->Release(offset);
}

void LogTable::PrepareMappedLog(std::size_t offset, std::size_t length) {
    if (file_) file_->Prepare(offset, length);
}

bool LogTable::SourceChanged() const { return file_ && file_->Truncated(); }

void LogTable::SetSourceFile(std::uint64_t device, std::uint64_t inode,
                             const struct timespec& modified) {
    device_ = device;
    inode_ = inode;
    modified_ = modified;
    hasSource_ = true;
}

bool LogTable::IsSourceFile(const std::string& path) const {
    struct stat st;
    return hasSource_ && ::stat(path.c_str(), &st) == 0 && st.st_dev == device_ &&
           st.st_ino == inode_;
}

int LogTable::FieldCount(int row) const {
    int count = 0;
    VisitFields(row, INT32_MAX, [&](int, auto) { ++count; });
    return count;
}

std::u16string LogTable::Field(int row, int column) const {
    std::u16string out;
    VisitFields(row, column + 1, [&](int c, auto text) {
        if (c != column) return;
        out.resize(text.size());
        for (std::size_t i = 0; i < text.size(); ++i) out[i] = CharOf(text[i]);
    });
    return out;
}

}  // namespace zintor
