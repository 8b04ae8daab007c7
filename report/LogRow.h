// Decoding one row of the LogTable: date, time and the two byte counts.
#pragma once

#include <cstdint>
#include <string_view>

#include "logs/LogTable.h"
#include "logs/PlainRow.h"
#include "platform/AsciiText.h"

namespace zintor {

// A field (of characters, or of bytes one a character) as a signed decimal number: leading
// white space and one sign allowed, reading stops at the first non-digit, no digits give 0,
// and the value wraps modulo 2^32.
template <typename Char>
std::int32_t ParseLogInteger(std::basic_string_view<Char> field) {
    const Char* p = field.data();
    const Char* end = p + field.size();
    while (p < end && IsLogBlank(*p)) ++p;
    std::int32_t value;
    ParseWrappingInt32(p, end, value);
    return value;
}

// A byte count field: as ParseLogInteger reads a number, but a value from 0 to 2^48 - 1 is
// read exactly (ParseLogCount).
template <typename Char>
std::uint64_t ParseLogCountField(std::basic_string_view<Char> field) {
    const Char* p = field.data();
    const Char* end = p + field.size();
    while (p < end && IsLogBlank(*p)) ++p;
    std::uint64_t value;
    ParseLogCount(p, end, value);
    return value;
}

struct LogRow {
    // False for a row that cannot be placed in the month: a negative date or time, a month
    // outside 1..12, or a date whose weekday comes out negative (January of year 0, day 0).
    bool usable = false;
    int year = 0, month = 0, day = 0;      // from the date written as at least 8 digits, YYYYMMDD
    int hour = 0, minute = 0, second = 0;  // from the time written as at least 6 digits, HHMMSS
    int weekday = 0;                       // of day mod 32 in that month, 0 Sunday .. 6 Saturday
    std::uint64_t sent = 0, received = 0;  // below 2^48

    // Seconds from the start of the month: month and year take no part.
    std::int64_t Stamp() const {
        return static_cast<std::int64_t>(day) * 86400 + hour * 3600 + minute * 60 + second;
    }
};

LogRow DecodeLogRow(const LogTable& table, int row);

// The capture time that the step from the previous usable row (previousStamp, 0 before the
// first) to a row at stamp counts: the step when it is 1 to 61 seconds, else none.
constexpr std::int64_t CapturedSeconds(std::int64_t previousStamp, std::int64_t stamp) {
    std::int64_t step = stamp - previousStamp;
    return previousStamp > 0 && step >= 1 && step <= 61 ? step : 0;
}

// Year, month, day and weekday of a non-negative date number (YYYYMMDD, at least 8 digits);
// false when the date cannot be placed in a month (month outside 1..12, weekday negative).
bool PlaceLogDate(std::int32_t date, LogRow& r);

// The leading digits of value that fit below limit (10^8 for a date, 10^6 for a time): the
// first 8 or 6 characters of the number written with at least that many digits.
constexpr std::int32_t LeadingDigits(std::int32_t value, std::int32_t limit) {
    while (value >= limit) value /= 10;
    return value;
}

// Hour, minute and second of a non-negative time number (HHMMSS, at least 6 digits); inline,
// as it is placed for every row.
inline void PlaceLogTime(std::int32_t time, LogRow& r) {
    std::int32_t hms = LeadingDigits(time, 1000000);
    r.hour = hms / 10000;
    r.minute = hms / 100 % 100;
    r.second = hms % 100;
}

}  // namespace zintor
