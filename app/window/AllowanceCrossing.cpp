// The crossing rule: a rise over the page's last level, in the running month, not told yet.
#include "app/window/AllowanceCrossing.h"

namespace zintor {

AllowanceLevel AllowanceCrossing::Appended(const AllowanceReading& reading) {
    AllowanceReading before = last_;
    last_ = reading;
    bool samePage = before.page == reading.page && before.month == reading.month && before.set;
    if (!reading.set || !reading.current || !samePage || reading.level <= before.level)
        return AllowanceLevel::kBelow80;
    if (toldMonth_ != reading.month) {
        toldMonth_ = reading.month;
        told_ = AllowanceLevel::kBelow80;
    }
    if (reading.level <= told_) return AllowanceLevel::kBelow80;
    told_ = reading.level;
    return reading.level;
}

}  // namespace zintor
