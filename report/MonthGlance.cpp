// One result of the month's figures from the accumulator, the totals and the plan.
#include "report/MonthGlance.h"

#include "logs/Calendar.h"

namespace zintor {

MonthGlance GlanceAt(const IntervalFigures& figures, const TrafficTotals& totals,
                     const Aggregation& run, const AllowancePlan& plan) {
    MonthGlance glance;
    glance.year = run.reportYear;
    glance.month = run.reportMonth;
    auto sent = static_cast<std::uint64_t>(totals.daySend[32]);
    auto received = static_cast<std::uint64_t>(totals.dayRecv[32]);
    glance.interval = figures.Finish(DaysInMonth(run.reportYear, run.reportMonth), sent, received,
                                     totals.dayCapture[32]);
    glance.hasAllowance = plan.Set();
    if (glance.hasAllowance)
        glance.allowance = UseOfAllowance(plan, sent, received, glance.interval.RemainingDays());
    return glance;
}

}  // namespace zintor
