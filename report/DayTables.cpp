// Shares and bars of a day table are the day's own.
#include "report/DayTables.h"

#include "html/ValueFormat.h"
#include "report/DailyTable.h"

namespace zintor {

TableLayout DayTable(const ReportMonth& m, int day) {
    const MonthFigures& t = m.figures;
    TableLayout table;
    table.title = m.English() ? Join(u"Reports ", Decimal(day, 2), u".", MonthAbbreviation(m.month))
                              : Join(Decimal(m.month, 2), u"月", Decimal(day, 2), u"日の送受信量");
    table.nameTag = DayNameTag(m.year, m.month, day);
    for (int h = 0; h < 24; ++h) {
        table.rows.push_back({HourLabel(m, h), {}, t.dayHourSend[day][h], t.dayHourRecv[day][h]});
        table.scaleValues.push_back(t.dayHourSend[day][h]);
        table.scaleValues.push_back(t.dayHourRecv[day][h]);
    }
    std::int64_t send = t.daySend[day];
    std::int64_t recv = t.dayRecv[day];
    table.shareSend = send;
    table.shareRecv = recv;
    table.totalLabel = m.English()
                           ? Join(u"Total ", Decimal(day, 2), u".", MonthAbbreviation(m.month))
                           : Join(Decimal(m.month, 2), u"月", Decimal(day, 2), u"日 合計");
    table.totalSend = send;
    table.totalRecv = recv;
    table.speedSend = send;
    table.speedRecv = recv;
    table.captureSeconds = t.dayCapture[day];
    return table;
}

}  // namespace zintor
