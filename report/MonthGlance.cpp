// One result of the month's figures from the accumulator, the totals and the plan.
#include "report/MonthGlance.h"

#include "logs/Calendar.h"

namespace zintor {

MonthGlance GlanceAt(const IntervalFigures& intervals, const MonthFigures& figures,
                     const AllowancePlan& plan) {
    MonthGlance glance;
    glance.year = figures.year;
    glance.month = figures.month;
    auto sent = static_cast<std::uint64_t>(figures.monthSend);
    auto received = static_cast<std::uint64_t>(figures.monthRecv);
    glance.interval = intervals.Finish(DaysInMonth(figures.year, figures.month), sent, received,
                                       figures.monthCapture);
    glance.hasAllowance = plan.Set();
    if (glance.hasAllowance)
        glance.allowance = UseOfAllowance(plan, sent, received, glance.interval.RemainingDays());
    return glance;
}

}  // namespace zintor
