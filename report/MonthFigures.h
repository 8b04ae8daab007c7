// The figures of one month, made once from the rows as the reader finds them: traffic per
// day of the month, hour of the day, day and hour, and weekday, capture time per day,
// weekday and hour, the month's totals, how many rows were read and used, and the month.
// The page's tables and the JSON figures both read them.
#pragma once

#include <cstdint>

#include "logs/LogTable.h"
#include "logs/ReportLogReader.h"
#include "report/IntervalConsumer.h"
#include "report/LogRow.h"

namespace zintor {

struct MonthFigures {
    int year = 0;   // of the last usable row
    int month = 0;  // of the last usable row
    int rowsRead = 0;
    int usableRows = 0;
    int RowsSkipped() const { return rowsRead - usableRows; }

    std::int64_t monthSend = 0, monthRecv = 0;
    std::int64_t monthCapture = 0;  // seconds

    // A row counts for day mod 32 and hour mod 24; weekday 0 is Sunday. A capture step
    // counts for the day, weekday and hour of its later row.
    std::int64_t daySend[32] = {}, dayRecv[32] = {}, dayCapture[32] = {};
    std::int64_t dayHourSend[32][24] = {}, dayHourRecv[32][24] = {};
    std::int64_t weekdaySend[7] = {}, weekdayRecv[7] = {}, weekdayCapture[7] = {};
    std::int64_t hourSend[24] = {}, hourRecv[24] = {}, hourCapture[24] = {};

    // Whether day (0..31) had traffic, and so a table of its hours on the page.
    bool DayHasTraffic(int day) const { return daySend[day] != 0 || dayRecv[day] != 0; }
};

// Adds the rows up into figures (cleared first) as the reader finds them. Capture time counts
// the step from the previous usable row when it is 1 to 61 seconds. intervals, when given,
// is told of every usable row in the same pass; without it the pass costs one test a row.
class MonthAdder final : public LogRowSink {
  public:
    explicit MonthAdder(MonthFigures& figures, IntervalConsumer* intervals = nullptr);

    void RowAdded(const LogTable& table, int row, const std::int64_t* numbers) override;

  private:
    void Add(const LogRow& r);

    MonthFigures& figures_;
    IntervalConsumer* intervals_;
    std::int64_t previousStamp_ = 0;
    // The last date number of a plain row and what it gave: the rows of a date are placed in
    // the calendar once.
    std::int32_t lastDate_ = -1;
    bool lastDateUsable_ = false;
    LogRow dated_;
};

// The same adding up over a table already read: the figures of all its rows, equal to those
// a MonthAdder gives while the table is read.
void AddUpLogTable(const LogTable& table, MonthFigures& figures,
                   IntervalConsumer* intervals = nullptr);

}  // namespace zintor
