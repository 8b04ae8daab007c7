// The weekday table: all Sundays of the log added up, all Mondays, ..., then the closing rows.
#pragma once

#include "report/PageTexts.h"
#include "report/TableFrame.h"

namespace zintor {

TableLayout WeekdayTable(const ReportMonth& m);

}  // namespace zintor
