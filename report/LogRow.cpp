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

bool ScanRowNumbers(std::string_view text, std::int32_t numbers[4]) {
    const char* p = text.data();
    const char* end = p + text.size();
    for (int column = 0; column < 4; ++column) {
        // Blanks before the number; the line feed is one, but it ends the row first.
        while (p < end && *p != '\n' && IsLogBlank(*p)) ++p;
        std::int32_t value;
        p = ParseWrappingInt32(p, end, value);
        // The rest of the field, up to the comma or line feed that ends it.
        for (; p < end && *p != ',' && *p != '\n'; ++p)
            if (*p == '"' || *p == '\0') return false;
        if (p == end)
            return true;  // the log ended without a line feed: the open field is not a field
        numbers[column] = value;
        if (*p++ == '\n') return true;
    }
    return true;
}

LogRow DecodeLogRow(const LogTable& table, int row) {
    LogRow r;
    std::int32_t numbers[4] = {0, 0, 0, 0};  // a field the row does not have reads 0
    std::string_view text;
    if (!table.NarrowRowText(row, text) || !ScanRowNumbers(text, numbers)) {
        std::fill(numbers, numbers + 4, 0);
        table.VisitFields(
            row, 4, [&](int column, auto field) { numbers[column] = ParseLogInteger(field); });
    }
    std::int32_t date = numbers[0];
    std::int32_t time = numbers[1];
    r.sent = static_cast<std::uint32_t>(numbers[2]);
    r.received = static_cast<std::uint32_t>(numbers[3]);
    if (date < 0 || time < 0) return r;
    std::int64_t ymd = LeadingDigits(date, 100000000);
    r.year = static_cast<int>(ymd / 10000);
    r.month = static_cast<int>(ymd / 100 % 100);
    r.day = static_cast<int>(ymd % 100);
    std::int64_t hms = LeadingDigits(time, 1000000);
    r.hour = static_cast<int>(hms / 10000);
    r.minute = static_cast<int>(hms / 100 % 100);
    r.second = static_cast<int>(hms % 100);
    if (r.month < 1 || r.month > 12) return r;
    r.weekday = DayOfWeek(r.year, r.month, r.day % 32);
    r.usable = r.weekday >= 0;
    return r;
}

}  // namespace zintor
