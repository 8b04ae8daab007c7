// The daily table: a row per day of the month, then total, average per day, capture time and
// average speed.
#pragma once

#include "report/PageTexts.h"
#include "report/TableFrame.h"

namespace zintor {

TableLayout DailyTable(const ReportMonth& m);

// "%04d-%02d-%02d": the anchor name shared by a day's row and that day's own table.
std::u16string DayNameTag(int year, int month, int day);

}  // namespace zintor
