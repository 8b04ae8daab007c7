// The month at a glance as page values: the slots from $PEAK_SEND$ to $ALLOW_COUNTS$, in the
// page's language. A peak, percentile or estimate the month does not have reads "-" (and
// $EST_NOTE$ says why there is no estimate). Without an allowance its slots are empty and
// $ALLOW_LEVEL$ is "unset", so that a template can hide the allowance's part by that class.
#pragma once

#include <string>

#include "report/MonthGlance.h"
#include "report/PageWriter.h"

namespace zintor {

// 05.Mar 14:23:00, or 03月05日 14:23:00: the day and time of a row's stamp in the month.
std::u16string StampLabel(const MonthGlance& glance, std::int64_t stamp, int language);

// What the month-end estimate stands on, or why there is none.
std::u16string EstimateNote(const MonthEstimate& estimate, int language);

// "unset", "ok" (below 80 %), "warn" (from 80 %) or "over" (above 100 %).
std::u16string_view AllowanceLevelClass(const MonthGlance& glance);

void SetGlanceSlots(PageWriter& page, const MonthGlance& glance);

}  // namespace zintor
