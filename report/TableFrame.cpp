// Writing one table through the page's sections and slots.
#include "report/TableFrame.h"

#include <algorithm>

#include "html/ValueFormat.h"
#include "report/PageWriter.h"

namespace zintor {
namespace {

// The eight size slots of a pair of byte counts.
void SetSizes(PageWriter& page, std::int64_t send, std::int64_t recv) {
    static constexpr int kSendSlots[4] = {kSend, kSendKb, kSendMb, kSendGb};
    static constexpr int kRecvSlots[4] = {kRecv, kRecvKb, kRecvMb, kRecvGb};
    for (int unit = 0; unit < 4; ++unit) {
        page.SetText(kSendSlots[unit], [&](std::string& s) { AppendSize(s, send, unit); });
        page.SetText(kRecvSlots[unit], [&](std::string& s) { AppendSize(s, recv, unit); });
    }
}

void SetSpeeds(PageWriter& page, double send, double recv) {
    static constexpr int kSendSlots[4] = {kSendSpd, kSendSpdMb, kSendSpdKbps, kSendSpdMbps};
    static constexpr int kRecvSlots[4] = {kRecvSpd, kRecvSpdMb, kRecvSpdKbps, kRecvSpdMbps};
    for (int unit = 0; unit < 4; ++unit) {
        page.SetText(kSendSlots[unit], [&](std::string& s) { AppendRate(s, send, unit); });
        page.SetText(kRecvSlots[unit], [&](std::string& s) { AppendRate(s, recv, unit); });
    }
}

// The two bar slots of a pair of megabyte figures.
void SetBars(PageWriter& page, std::uint32_t send, std::uint32_t recv, std::uint32_t scale) {
    page.SetText(kSendH, [&](std::string& s) { AppendBarText(s, send, scale); });
    page.SetText(kRecvH, [&](std::string& s) { AppendBarText(s, recv, scale); });
}

}  // namespace

std::uint32_t WholeMegabytes(std::int64_t bytes) {
    return static_cast<std::uint32_t>(bytes / 1024 / 1024);
}

std::uint32_t BarScale(std::span<const std::int64_t> bytes) {
    std::uint32_t max = 0;
    for (std::int64_t b : bytes) max = std::max(max, WholeMegabytes(b));
    std::uint32_t scale = 1;
    while (max / scale > 150 && scale < (1u << 21)) scale *= 2;
    return scale;
}

void AppendBarText(std::string& out, std::uint32_t megabytes, std::uint32_t scale) {
    AppendDecimal(out, std::min<std::uint32_t>(megabytes / scale, 200));
}

std::u16string BarText(std::uint32_t megabytes, std::uint32_t scale) {
    std::string text;
    AppendBarText(text, megabytes, scale);
    return std::u16string(text.begin(), text.end());
}

void WriteTable(PageWriter& page, const TableLayout& table) {
    page.ClearPlaceholderSlots();
    page.Set(kBodyTitle, table.title);
    page.Set(kNameTag, table.nameTag);
    page.WriteSection(Section::body_header);

    std::uint32_t scale = BarScale(table.scaleValues);

    for (const TableRow& row : table.rows) {
        page.ClearPlaceholderSlots();
        if (table.dailyRows) {
            page.Set(kNameTag, row.nameTag);
            page.Set(kDate, row.label);
        } else {
            page.Set(kTime, row.label);
        }
        SetSizes(page, row.send, row.recv);
        page.SetText(kSendPer, [&](std::string& s) { AppendShare(s, row.send, table.shareSend); });
        page.SetText(kRecvPer, [&](std::string& s) { AppendShare(s, row.recv, table.shareRecv); });
        SetBars(page, WholeMegabytes(row.send), WholeMegabytes(row.recv), scale);
        page.WriteSection(table.dailyRows ? Section::body_main1 : Section::body_main2);
    }

    page.ClearPlaceholderSlots();
    page.Set(kDate, table.totalLabel);
    SetSizes(page, table.totalSend, table.totalRecv);
    SetBars(page, WholeMegabytes(table.totalSend), WholeMegabytes(table.totalRecv), scale);
    page.WriteSection(Section::body_main3);

    if (!table.averageLabel.empty()) {
        // Per written row: sizes from the byte totals, bars from the totals' whole megabytes.
        auto n = static_cast<std::uint32_t>(std::max<std::size_t>(table.rows.size(), 1));
        page.ClearPlaceholderSlots();
        page.Set(kDate, table.averageLabel);
        SetSizes(page, table.totalSend / n, table.totalRecv / n);
        SetBars(page, WholeMegabytes(table.totalSend) / n, WholeMegabytes(table.totalRecv) / n,
                scale);
        page.WriteSection(Section::body_main3);
    }

    page.ClearPlaceholderSlots();
    page.Set(kCapTime,
             FormatDuration(static_cast<std::uint32_t>(table.captureSeconds), page.Language()));
    page.WriteSection(Section::body_main4);

    page.ClearPlaceholderSlots();
    double seconds = static_cast<double>(table.captureSeconds);
    bool captured = table.captureSeconds > 0;
    SetSpeeds(page, captured ? static_cast<double>(table.speedSend) / seconds : 0.0,
              captured ? static_cast<double>(table.speedRecv) / seconds : 0.0);
    page.WriteSection(Section::body_main5);

    page.WriteRawSection(Section::body_footer);
}

}  // namespace zintor
