// The hour-of-day table: everything logged from 00:00 to 00:59 on any day added up, and so
// on for the 24 hours, then the closing rows.
#pragma once

#include "report/PageTexts.h"
#include "report/TableFrame.h"

namespace zintor {

TableLayout HourTable(const ReportMonth& m);

}  // namespace zintor
