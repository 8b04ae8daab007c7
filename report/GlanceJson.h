// The month at a glance as the "figures" object of the JSON output: exact byte counts and
// seconds, and whole bytes per second rounded down; null for a figure the month does not have.
#pragma once

#include <string>

#include "report/MonthGlance.h"

namespace zintor {

// Appends {"peak": ..., "percentile95": ..., "estimate": ..., "allowance": ...} to out.
void AppendGlanceJson(std::string& out, const MonthGlance& glance);

}  // namespace zintor
