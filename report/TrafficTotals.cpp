// Aggregation of the log rows.
#include "report/TrafficTotals.h"

#include <cstring>

#include "report/LogRow.h"

namespace zintor {

Aggregation AggregateLogTable(const LogTable& table, TrafficTotals& totals) {
    std::memset(&totals, 0, sizeof totals);
    Aggregation result;
    std::int64_t previousStamp = 0;
    for (int row = 0; row < table.RowCount(); ++row) {
        LogRow r = DecodeLogRow(table, row);
        if (!r.usable) continue;
        int d = r.day % 32;
        int h = r.hour % 24;
        int w = r.weekday;
        totals.daySend[d] += r.sent;
        totals.daySend[32] += r.sent;
        totals.dayRecv[d] += r.received;
        totals.dayRecv[32] += r.received;
        totals.hourSend[h] += r.sent;
        totals.hourSend[24] += r.sent;
        totals.hourRecv[h] += r.received;
        totals.hourRecv[24] += r.received;
        totals.dayHourSend[d][h] += r.sent;
        totals.dayHourSend[d][24] += r.sent;
        totals.dayHourRecv[d][h] += r.received;
        totals.dayHourRecv[d][24] += r.received;
        totals.weekdaySend[w] += r.sent;
        totals.weekdaySend[7] += r.sent;
        totals.weekdayRecv[w] += r.received;
        totals.weekdayRecv[7] += r.received;

        std::int64_t stamp = r.Stamp();
        std::int64_t step = CapturedSeconds(previousStamp, stamp);
        totals.dayCapture[d] += step;
        totals.dayCapture[32] += step;
        previousStamp = stamp;

        ++result.usableRows;
        result.reportYear = r.year;
        result.reportMonth = r.month;
    }
    return result;
}

}  // namespace zintor
