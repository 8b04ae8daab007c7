// Compact storage of the log's fields: one text buffer and two offset arrays.
#include "logs/LogTable.h"

#include <string>

namespace zintor {

LogTable::LogTable() {
    rowFirstField_.reserve(kCapacity + 1);
    Clear();
}

LogTable::~LogTable() = default;

void LogTable::Clear() {
    text_.clear();
    fieldEnd_.clear();
    rowFirstField_.assign(1, 0);
}

int LogTable::FieldCount(int row) const {
    if (row < 0 || row >= RowCount()) return 0;
    return static_cast<int>(rowFirstField_[static_cast<std::size_t>(row) + 1] - rowFirstField_[static_cast<std::size_t>(row)]);
}

std::u16string_view LogTable::Field(int row, int column) const {
    if (column < 0 || column >= FieldCount(row)) return {};
    std::size_t field = rowFirstField_[static_cast<std::size_t>(row)] + static_cast<std::size_t>(column);
    std::size_t begin = field == 0 ? 0 : fieldEnd_[field - 1];
    return std::u16string_view(text_).substr(begin, fieldEnd_[field] - begin);
}

void LogTable::DropFieldsFrom(std::size_t textSize) { text_.resize(textSize); }

bool LogTable::EndRow() {
    if (Full()) return false;
    rowFirstField_.push_back(static_cast<std::uint32_t>(fieldEnd_.size()));
    return true;
}

}  // namespace zintor
