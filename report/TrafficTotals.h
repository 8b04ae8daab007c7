// The accumulators of one report run: traffic per day of the month, hour of the day, day
// and hour, and weekday, with capture time per day. Each array carries its total entry last.
#pragma once

#include <cstdint>

#include "logs/LogTable.h"
#include "logs/ReportLogReader.h"
#include "report/IntervalFigures.h"
#include "report/LogRow.h"

namespace zintor {

struct TrafficTotals {
    std::int64_t daySend[33], dayRecv[33];                  // [day mod 32], [32] = month
    std::int64_t dayCapture[33];                            // seconds, [32] = month
    std::int64_t hourSend[25], hourRecv[25];                // [hour mod 24], [24] = month
    std::int64_t dayHourSend[32][25], dayHourRecv[32][25];  // [day][hour], [day][24] = day
    std::int64_t weekdaySend[8], weekdayRecv[8];            // [0 Sunday .. 6 Saturday], [7] = month
};

struct Aggregation {
    int usableRows = 0;
    int reportYear = 0;   // of the last usable row
    int reportMonth = 0;  // of the last usable row
};

// Adds up every usable row of the table into totals (zeroed first). Capture time counts the
// step from the previous usable row when it is 1 to 61 seconds, for the day of the later row.
// figures, when given, is reset and receives every usable row as well.
Aggregation AggregateLogTable(const LogTable& table, TrafficTotals& totals,
                              IntervalFigures* figures = nullptr);

// The same adding up, one row at a time as the reader finds the rows: the totals of all rows
// added are those AggregateLogTable gives for the table.
class TrafficAdder final : public LogRowSink {
  public:
    // Zeroes totals (and resets figures, when given), which then receive the rows.
    explicit TrafficAdder(TrafficTotals& totals, IntervalFigures* figures = nullptr);

    void RowAdded(const LogTable& table, int row, const std::int64_t* numbers) override;
    const Aggregation& Result() const { return result_; }

  private:
    void Add(const LogRow& r);

    TrafficTotals& totals_;
    IntervalFigures* figures_;
    Aggregation result_;
    std::int64_t previousStamp_ = 0;
    // The last date number of a plain row and what it gave: the rows of a date are placed in
    // the calendar once.
    std::int32_t lastDate_ = -1;
    bool lastDateUsable_ = false;
    LogRow dated_;
};

}  // namespace zintor
