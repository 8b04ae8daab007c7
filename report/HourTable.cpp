// Twenty-four rows, 00:00 first.
#include "report/HourTable.h"

#include "html/ValueFormat.h"

namespace zintor {

TableLayout HourTable(const ReportMonth& m) {
    const MonthFigures& t = m.figures;
    TableLayout table;
    table.title = MonthTableTitle(m, u"Hourly Reports ", u"の時間別送受信量");
    table.nameTag = MonthNameTag(m, u"-time");
    for (int h = 0; h < 24; ++h) {
        table.rows.push_back({HourLabel(m, h), {}, t.hourSend[h], t.hourRecv[h]});
        table.scaleValues.push_back(t.hourSend[h]);
        table.scaleValues.push_back(t.hourRecv[h]);
    }
    CloseWithMonthTotals(m, table);
    return table;
}

}  // namespace zintor
