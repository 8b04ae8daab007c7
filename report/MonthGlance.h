// The month at a glance: the interval figures and, when the user set one, the allowance,
// worked out once from the rows added and the totals, for the page and for JSON.
#pragma once

#include "report/Allowance.h"
#include "report/IntervalFigures.h"
#include "report/MonthFigures.h"

namespace zintor {

struct MonthGlance {
    int year = 0, month = 0;
    IntervalResult interval;
    bool hasAllowance = false;
    AllowanceUse allowance;  // when hasAllowance
};

MonthGlance GlanceAt(const IntervalFigures& intervals, const MonthFigures& figures,
                     const AllowancePlan& plan);

}  // namespace zintor
