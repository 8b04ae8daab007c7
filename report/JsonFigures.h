// The month's figures as one JSON object, for scripts: the exact byte counts and capture
// times the page is made from, the same whatever the user's language.
#pragma once

#include <string>
#include <string_view>

#include "report/MonthFigures.h"
#include "report/MonthGlance.h"

namespace zintor {

constexpr int kJsonFormatVersion = 1;

// text as a JSON string, quotes included: '"', '\' and the control characters escaped, valid
// UTF-8 kept, and every byte that starts no valid UTF-8 sequence written as \ufffd (a file
// name is any bytes; JSON text is Unicode).
std::string JsonString(std::string_view text);

// The object of the month's figures, ending in a line feed: format_version, log (logPath),
// year, month, rows (read, skipped), totals, days (1 to the month's length, each with its 24
// hours), weekdays (Sunday first) and hours, then figures (the glance: peak, percentile95,
// estimate, allowance) when glance is given.
std::string JsonFigures(const MonthFigures& figures, std::string_view logPath,
                        const MonthGlance* glance = nullptr);

}  // namespace zintor
