// When the window tells the user that the month's allowance is running out: one desktop
// notice when new rows take the current month's log past 80 %, and one past 100 %, each
// once per month. A page shown on any other road (another log chosen, a refresh, the
// allowance changed) only sets the level the next rows are compared with.
#pragma once

#include <string>

#include "report/Allowance.h"

namespace zintor {

// The allowance's level of a page just written.
struct AllowanceReading {
    std::string page;      // which page: a level compares only with the same page's
    int month = 0;         // the page's month as year × 100 + month
    bool current = false;  // that month is the one running now
    bool set = false;      // an allowance is set
    AllowanceLevel level = AllowanceLevel::kBelow80;
};

class AllowanceCrossing {
  public:
    // A page written after new rows came to its log: the level to tell the user of
    // (kFrom80 or kOver100), or kBelow80 for nothing. A reading that passes both levels at
    // once tells of 100 % alone.
    AllowanceLevel Appended(const AllowanceReading& reading);
    // A page written on any other road: remembered, never told.
    void Seen(const AllowanceReading& reading) { last_ = reading; }

  private:
    AllowanceReading last_;
    int toldMonth_ = 0;
    AllowanceLevel told_ = AllowanceLevel::kBelow80;  // the highest level told for toldMonth_
};

}  // namespace zintor
