// The frame every table of the page shares: heading, rows with shares and bars, then the
// total, capture-time and average-speed rows, and the table's end. A table is described by
// a TableLayout; WriteTable writes it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zintor {

class PageWriter;

struct TableRow {
    std::u16string label;    // into $DATE$ (daily rows) or $TIME$
    std::u16string nameTag;  // into $NAMETAG$ (daily rows only)
    std::int64_t send = 0, recv = 0;
};

struct TableLayout {
    std::u16string title;    // $BODYTITLE$ of the heading
    std::u16string nameTag;  // $NAMETAG$ of the heading
    bool dailyRows =
        false;  // rows in body_main1 with $DATE$ and $NAMETAG$, else body_main2 with $TIME$
    std::vector<TableRow> rows;
    std::vector<std::int64_t> scaleValues;      // byte counts whose megabytes set the bar scale
    std::int64_t shareSend = 0, shareRecv = 0;  // what the row shares are shares of
    std::u16string totalLabel;
    std::int64_t totalSend = 0, totalRecv = 0;
    std::u16string averageLabel;  // when not empty, an average-per-row row follows the total
    std::int64_t speedSend = 0, speedRecv = 0;  // bytes the speed row divides by the capture time
    std::int64_t captureSeconds = 0;
};

// Whole megabytes of a byte count: two truncating divisions by 1024, low 32 bits.
std::uint32_t WholeMegabytes(std::int64_t bytes);

// The smallest power of two from 1 to 2^20 for which the largest megabyte figure divided by it
// is at most 150, or 2^21.
std::uint32_t BarScale(std::span<const std::int64_t> bytes);

// The bar length of a megabyte figure: divided by the scale, at most "200".
std::u16string BarText(std::uint32_t megabytes, std::uint32_t scale);
void AppendBarText(std::string& out, std::uint32_t megabytes, std::uint32_t scale);

void WriteTable(PageWriter& page, const TableLayout& table);

}  // namespace zintor
