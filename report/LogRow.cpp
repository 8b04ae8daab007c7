// Field numbers and the fixed-width splitting of date and time.
#include "report/LogRow.h"

#include <algorithm>

#include "logs/Calendar.h"

namespace zintor {
LogRow DecodeLogRow(const LogTable& table, int row) {
    std::int64_t numbers[4] = {0, 0, 0, 0};  // a field the row does not have reads 0
    std::string_view text;
    if (!table.NarrowRowText(row, text) || !ScanRowNumbers(text, numbers)) {
        std::fill(numbers, numbers + 4, 0);
        table.VisitFields(row, 4, [&](int column, auto field) {
            numbers[column] = column < 2 ? ParseLogInteger(field)
                                         : static_cast<std::int64_t>(ParseLogCountField(field));
        });
    }
    LogRow r;
    r.sent = static_cast<std::uint64_t>(numbers[2]);
    r.received = static_cast<std::uint64_t>(numbers[3]);
    if (numbers[0] < 0 || numbers[1] < 0) return r;
    PlaceLogTime(static_cast<std::int32_t>(numbers[1]), r);
    r.usable = PlaceLogDate(static_cast<std::int32_t>(numbers[0]), r);
    return r;
}

bool PlaceLogDate(std::int32_t date, LogRow& r) {
    std::int32_t ymd = LeadingDigits(date, 100000000);
    r.year = ymd / 10000;
    r.month = ymd / 100 % 100;
    r.day = ymd % 100;
    if (r.month < 1 || r.month > 12) return false;
    r.weekday = DayOfWeek(r.year, r.month, r.day % 32);
    return r.weekday >= 0;
}

}  // namespace zintor
