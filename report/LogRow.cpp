// Field numbers and the fixed-width splitting of date and time.
#include "report/LogRow.h"

#include <algorithm>

#include "logs/Calendar.h"

namespace zintor {
namespace {

// The leading digits of value that fit below limit (10^8 for a date, 10^6 for a time): the
// first 8 or 6 characters of the number written with at least that many digits.
std::int64_t LeadingDigits(std::int64_t value, std::int64_t limit) {
    while (value >= limit) value /= 10;
    return value;
}

}  // namespace

LogRow DecodeLogRow(const LogTable& table, int row) {
    std::int32_t numbers[4] = {0, 0, 0, 0};  // a field the row does not have reads 0
    std::string_view text;
    if (!table.NarrowRowText(row, text) || !ScanRowNumbers(text, numbers)) {
        std::fill(numbers, numbers + 4, 0);
        table.VisitFields(
            row, 4, [&](int column, auto field) { numbers[column] = ParseLogInteger(field); });
    }
    LogRow r;
    r.sent = static_cast<std::uint32_t>(numbers[2]);
    r.received = static_cast<std::uint32_t>(numbers[3]);
    if (numbers[0] < 0 || numbers[1] < 0) return r;
    PlaceLogTime(numbers[1], r);
    r.usable = PlaceLogDate(numbers[0], r);
    return r;
}

bool PlaceLogDate(std::int32_t date, LogRow& r) {
    std::int64_t ymd = LeadingDigits(date, 100000000);
    r.year = static_cast<int>(ymd / 10000);
    r.month = static_cast<int>(ymd / 100 % 100);
    r.day = static_cast<int>(ymd % 100);
    if (r.month < 1 || r.month > 12) return false;
    r.weekday = DayOfWeek(r.year, r.month, r.day % 32);
    return r.weekday >= 0;
}

void PlaceLogTime(std::int32_t time, LogRow& r) {
    std::int64_t hms = LeadingDigits(time, 1000000);
    r.hour = static_cast<int>(hms / 10000);
    r.minute = static_cast<int>(hms / 100 % 100);
    r.second = static_cast<int>(hms % 100);
}

}  // namespace zintor
