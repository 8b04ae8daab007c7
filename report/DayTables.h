// The hourly table of one day: its 24 hours, then the day's total, capture time and speed.
// The page holds one for every day of the month with traffic.
#pragma once

#include "report/PageTexts.h"
#include "report/TableFrame.h"

namespace zintor {

TableLayout DayTable(const ReportMonth& m, int day);

}  // namespace zintor
