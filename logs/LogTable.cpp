// Row starts over the log's bytes, fields split on demand.
#include "logs/LogTable.h"

#include "platform/MappedFile.h"

namespace zintor {

LogTable::LogTable() { rows_.reserve(kCapacity); }

LogTable::~LogTable() = default;

void LogTable::Clear() {
    rows_.clear();
    narrowText_ = {};
    wideText_.clear();
    file_.reset();
}

void LogTable::SetNarrowSource(std::unique_ptr<MappedFile> file, std::size_t end) {
    file_ = std::move(file);
    narrowText_ = file_ ? file_->Bytes().substr(0, end) : std::string_view();
}

bool LogTable::AddNarrowRow(std::size_t lineStart) {
    if (lineStart >= kWide) return false;
    rows_.push_back(static_cast<std::uint32_t>(lineStart));
    return true;
}

bool LogTable::AddWideRow(std::u16string_view line, bool lineFeed) {
    if (wideText_.size() + line.size() + 1 >= kWide) return false;
    rows_.push_back(static_cast<std::uint32_t>(wideText_.size()) | kWide);
    wideText_ += line;
    if (lineFeed) wideText_ += u'\n';
    return true;
}

bool LogTable::SourceChanged() const { return file_ && file_->Truncated(); }

bool LogTable::IsSourceFile(const std::string& path) const { return file_ && file_->IsSameFile(path); }

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
