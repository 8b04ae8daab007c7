// Adding the rows of a log up into the figures of its month.
#include "report/MonthFigures.h"

namespace zintor {

void AddUpLogTable(const LogTable& table, MonthFigures& figures, IntervalConsumer* intervals) {
    MonthAdder adder(figures, intervals);
    for (int row = 0; row < table.RowCount(); ++row) adder.RowAdded(table, row, nullptr);
}

MonthAdder::MonthAdder(MonthFigures& figures, IntervalConsumer* intervals)
    : figures_(figures), intervals_(intervals) {
    figures = MonthFigures{};
    if (intervals_) intervals_->StartMonth();
}

void MonthAdder::RowAdded(const LogTable& table, int row, const std::int64_t* numbers) {
    ++figures_.rowsRead;
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

void MonthAdder::Add(const LogRow& r) {
    if (!r.usable) return;
    int d = r.day % 32;
    int h = r.hour % 24;
    int w = r.weekday;
    // Added as unsigned counts, which wrap where a signed sum would overflow.
    std::uint64_t sent = r.sent;
    std::uint64_t received = r.received;
    MonthFigures& f = figures_;
    f.monthSend += sent;
    f.monthRecv += received;
    f.daySend[d] += sent;
    f.dayRecv[d] += received;
    f.dayHourSend[d][h] += sent;
    f.dayHourRecv[d][h] += received;
    f.weekdaySend[w] += sent;
    f.weekdayRecv[w] += received;
    f.hourSend[h] += sent;
    f.hourRecv[h] += received;

    std::int64_t stamp = r.Stamp();
    std::int64_t captured = CapturedSeconds(previousStamp_, stamp);
    f.monthCapture += captured;
    f.dayCapture[d] += captured;
    f.weekdayCapture[w] += captured;
    f.hourCapture[h] += captured;
    if (intervals_) {
        std::int64_t step = f.usableRows > 0 ? stamp - previousStamp_ : 0;
        intervals_->AddRow({r, stamp, step, captured});
    }
    previousStamp_ = stamp;

    ++f.usableRows;
    f.year = r.year;
    f.month = r.month;
}

}  // namespace zintor
