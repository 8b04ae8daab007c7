// A figure of the month that needs every usable row in turn, not only the sums: fed in the
// same pass that adds the month up, while the log is read.
#pragma once

#include <cstdint>

#include "report/LogRow.h"

namespace zintor {

// One usable row as a per-interval figure sees it.
struct UsableRow {
    const LogRow& row;      // date, time, weekday, sent and received bytes
    std::int64_t stamp;     // seconds from the start of the month (LogRow::Stamp)
    std::int64_t step;      // stamp minus the previous usable row's stamp; 0 for the first
    std::int64_t captured;  // the capture time the step counts (CapturedSeconds)
};

class IntervalConsumer {
  public:
    // A new month is being added up: whatever was gathered before is dropped.
    virtual void StartMonth() = 0;
    // The next usable row, in the order of the log.
    virtual void AddRow(const UsableRow& row) = 0;

  protected:
    ~IntervalConsumer() = default;
};

}  // namespace zintor
