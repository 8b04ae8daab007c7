// Slots of local time and the text of rows.
#include "record/RowSlot.h"

#include <time.h>

#include <algorithm>
#include <cstdio>

namespace zintor {

RowSlot SlotAt(std::int64_t wallNanos, int intervalSeconds) {
    std::int64_t seconds = wallNanos / kNanosPerSecond;
    std::int64_t fraction = wallNanos % kNanosPerSecond;
    if (fraction < 0) {
        seconds -= 1;
        fraction += kNanosPerSecond;
    }
    time_t t = static_cast<time_t>(seconds);
    tm local{};
    localtime_r(&t, &local);
    int ofDay = local.tm_hour * 3600 + local.tm_min * 60 + std::min(local.tm_sec, 59);
    int start = ofDay - ofDay % intervalSeconds;
    int end = std::min(start + intervalSeconds, 86400);
    RowSlot slot;
    slot.label = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  start / 3600,         start / 60 % 60,  start % 60};
    slot.nanosToEnd = std::int64_t{end - ofDay} * kNanosPerSecond - fraction;
    return slot;
}

std::string LogFileName(const RowLabel& label) {
    char name[48];
    std::snprintf(name, sizeof name, "vorlix_report%04d%02d.log", label.year, label.month);
    return name;
}

std::string RowText(const RowLabel& label, const Movement& moved) {
    char row[96];
    int n = std::snprintf(row, sizeof row, "%04d%02d%02d,%02d%02d%02d,%llu,%llu\r\n", label.year,
                          label.month, label.day, label.hour, label.minute, label.second,
                          static_cast<unsigned long long>(moved.sent),
                          static_cast<unsigned long long>(moved.received));
    return std::string(row, static_cast<std::size_t>(n));
}

}  // namespace zintor
