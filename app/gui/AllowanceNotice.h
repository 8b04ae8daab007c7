// The words of the desktop notice when new rows take the running month past 80 % or 100 % of
// the monthly allowance.
#pragma once

#include <string>

#include "report/Allowance.h"
#include "report/MonthGlance.h"

namespace zintor {

// The title and text of the notice for level (kFrom80 or kOver100) of the month in glance.
std::string AllowanceNoticeTitle(AllowanceLevel level, int uiLanguage);
std::string AllowanceNoticeText(const MonthGlance& glance, int uiLanguage);

}  // namespace zintor
