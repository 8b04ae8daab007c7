// Twenty-four rows, 00:00 first.
#include "report/HourTable.h"

#include "html/ValueFormat.h"

namespace zintor {

TableLayout HourTable(const ReportMonth& m) {
    const TrafficTotals& t = m.totals;
    TableLayout table;
    table.title = m.English() ? Join(u"Hourly Reports ", MonthAbbreviation(m.month), u".", Decimal(m.year, 4))
                              : Join(Decimal(m.year, 4), u"年", Decimal(m.month, 2), u"月の時間別送受信量");
    table.nameTag = Join(Decimal(m.year, 4), u"-", Decimal(m.month, 2), u"-time");
    for (int h = 0; h < 24; ++h) {
        table.rows.push_back({HourLabel(m, h), {}, t.hourSend[h], t.hourRecv[h]});
        table.scaleValues.push_back(t.hourSend[h]);
        table.scaleValues.push_back(t.hourRecv[h]);
    }
    table.shareSend = t.hourSend[24];
    table.shareRecv = t.hourRecv[24];
    table.totalLabel = MonthTotalLabel(m);
    table.totalSend = t.hourSend[24];
    table.totalRecv = t.hourRecv[24];
    table.speedSend = t.daySend[32];
    table.speedRecv = t.dayRecv[32];
    table.captureSeconds = t.dayCapture[32];
    return table;
}

}  // namespace zintor
