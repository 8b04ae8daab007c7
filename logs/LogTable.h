// The parsed report log: up to 65,535 rows of text fields.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zintor {

class LogTable {
public:
    static constexpr int kCapacity = 65535;

    LogTable();
    virtual ~LogTable();

    // Empties every row; the storage is kept for the next log.
    void Clear();

    int RowCount() const { return static_cast<int>(rowFirstField_.size()) - 1; }
    int FieldCount(int row) const;
    // The text of a field; empty when the row or the column does not exist.
    std::u16string_view Field(int row, int column) const;

    // Building a row: the fields of the row being built are appended one by one, then the
    // row is closed. Rows beyond the capacity are refused by EndRow (false).
    bool Full() const { return RowCount() >= kCapacity; }
    std::u16string& TextForAppend() { return text_; }  // append a field's text here ...
    void EndField() { fieldEnd_.push_back(static_cast<std::uint32_t>(text_.size())); }  // ... then close it
    void DropFieldsFrom(std::size_t textSize);  // drops an unfinished field's text
    bool EndRow();

private:
    std::u16string text_;                    // all field texts, one after the other
    std::vector<std::uint32_t> fieldEnd_;    // end of each field in text_
    std::vector<std::uint32_t> rowFirstField_;  // first field of each row, plus one past the last row
};

}  // namespace zintor
