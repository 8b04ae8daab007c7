// Seven rows, Sunday first.
#include "report/WeekdayTable.h"

#include "html/ValueFormat.h"

namespace zintor {

TableLayout WeekdayTable(const ReportMonth& m) {
    const TrafficTotals& t = m.totals;
    TableLayout table;
    table.title = m.English() ? Join(u"Weekly Reports ", MonthAbbreviation(m.month), u".", Decimal(m.year, 4))
                              : Join(Decimal(m.year, 4), u"年", Decimal(m.month, 2), u"月の曜日別送受信量");
    table.nameTag = Join(Decimal(m.year, 4), u"-", Decimal(m.month, 2), u"-week");
    for (int w = 0; w < 7; ++w) {
        TableRow row;
        row.label = m.English() ? std::u16string(WeekdayName(m.language, w)) : Join(WeekdayName(m.language, w), u"曜日");
        row.send = t.weekdaySend[w];
        row.recv = t.weekdayRecv[w];
        table.rows.push_back(std::move(row));
        table.scaleValues.push_back(t.weekdaySend[w]);
        table.scaleValues.push_back(t.weekdayRecv[w]);
    }
    table.shareSend = t.weekdaySend[7];
    table.shareRecv = t.weekdayRecv[7];
    table.totalLabel = MonthTotalLabel(m);
    table.totalSend = t.weekdaySend[7];
    table.totalRecv = t.weekdayRecv[7];
    table.speedSend = t.daySend[32];
    table.speedRecv = t.dayRecv[32];
    table.captureSeconds = t.dayCapture[32];
    return table;
}

}  // namespace zintor
