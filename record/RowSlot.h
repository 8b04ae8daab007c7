// The slots rows are written for: whole multiples of the interval in local time, counted
// from midnight, and the row's text and log file.
#pragma once

#include <cstdint>
#include <string>

#include "record/CounterTracker.h"

namespace zintor {

constexpr std::int64_t kNanosPerSecond = 1'000'000'000;

// A row's date and start time in local time.
struct RowLabel {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
    bool operator==(const RowLabel&) const = default;
};

struct RowSlot {
    RowLabel label;           // the start of the slot that holds the moment
    std::int64_t nanosToEnd;  // from the moment to the slot's end (the next slot's start)
};

// The slot of intervalSeconds that holds the moment wallNanos (since the epoch) in the local
// time zone. The last slot of a day ends at midnight when the interval does not divide it.
RowSlot SlotAt(std::int64_t wallNanos, int intervalSeconds);

// vorlix_reportYYYYMM.log of the row's month.
std::string LogFileName(const RowLabel& label);

// "YYYYMMDD,HHMMSS,sent,received" and CR LF.
std::string RowText(const RowLabel& label, const Movement& moved);

}  // namespace zintor
