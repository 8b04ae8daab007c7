// Aggregation of the log rows.
#include "report/TrafficTotals.h"

#include <cstring>

#include "report/LogRow.h"

namespace zintor {

Aggregation AggregateLogTable(const LogTable& table, TrafficTotals& totals,
                              IntervalFigures* figures) {
    TrafficAdder adder(totals, figures);
    for (int row = 0; row < table.RowCount(); ++row) adder.RowAdded(table, row, nullptr);
    return adder.Result();
}

TrafficAdder::TrafficAdder(TrafficTotals& totals, IntervalFigures* figures)
    : totals_(totals), figures_(figures) {
    std::memset(&totals, 0, sizeof totals);
    if (figures) figures->Reset();
}

void TrafficAdder::RowAdded(const LogTable& table, int row, const std::int64_t* numbers) {
    if (!numbers) {
        Add(DecodeLogRow(table, row));
        return;
    }
    auto date = static_cast<std::int32_t>(numbers[0]);  // date and time hold 32-bit values
    if (date < 0 || numbers[1] < 0) return;
    if (date != lastDate_) {
        lastDate_ = date;
        lastDateUsable_ = PlaceLogDate(date, dated_);
    }
    if (!lastDateUsable_) return;
    LogRow r = dated_;
    PlaceLogTime(static_cast<std::int32_t>(numbers[1]), r);
    r.sent = static_cast<std::uint64_t>(numbers[2]);
    r.received = static_cast<std::uint64_t>(numbers[3]);
    r.usable = true;
    Add(r);
}

void TrafficAdder::Add(const LogRow& r) {
    if (!r.usable) return;
    int d = r.day % 32;
    int h = r.hour % 24;
    int w = r.weekday;
    TrafficTotals& totals = totals_;
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
    std::int64_t step = CapturedSeconds(previousStamp_, stamp);
    totals.dayCapture[d] += step;
    totals.dayCapture[32] += step;
    previousStamp_ = stamp;
    if (figures_) figures_->Add(stamp, step, r.sent, r.received);

    ++result_.usableRows;
    result_.reportYear = r.year;
    result_.reportMonth = r.month;
}

}  // namespace zintor
